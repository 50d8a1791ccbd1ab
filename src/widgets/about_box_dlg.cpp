#include "widgets/about_box_dlg.h"

#include "platform/services.h"
#include "resources/ids.h"
#include "widgets/icon_button.h"
#include "widgets/link_label.h"

namespace vellanor::widgets {

CAboutBoxDlg::CAboutBoxDlg(platform::Services& services, QWidget* parent, double scale)
    : TemplateDialog(res::kDlgAbout, parent, scale),
      link_(Bind<LinkLabel>(res::kCtlAboutLink)),
      ok_(Bind<IconButton>(res::kIdOk)) {
  OnInitDialog(services);
}

void CAboutBoxDlg::OnInitDialog(platform::Services& services) {
  SetUpIconButton(ok_, res::kIconValidate, QStringLiteral("Retourne vers l'application"));
  link_.SetServices(services.messages, services.launcher);
  link_.SetLinkTarget(QString::fromLatin1(kMailTarget));
  link_.SetUnderlineMode(LinkLabel::kUnderlineAlways);
}

}  // namespace vellanor::widgets
