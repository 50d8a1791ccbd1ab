// The reports window's PDF output: the format choice and the production of
// PDF documents through LibreOffice.

#include <memory>

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressDialog>
#include <QRadioButton>
#include <QScopeGuard>

#include "app/main_window_operations.h"
#include "model/cp1252.h"
#include "model/gradebook.h"
#include "platform/clock.h"
#include "platform/message_service.h"
#include "platform/process_runner.h"
#include "reports/chart_picture.h"
#include "reports/merge/template_merge.h"
#include "reports/pdf_output.h"
#include "reports/reports_dlg.h"
#include "widgets/icon_button.h"

namespace vellanor {
namespace {

using platform::MessageIcon;

// Up to this many documents are made without a progress window.
constexpr int kFewDocuments = 3;

std::string CancelledText(int written, int total) {
  if (written == 0) {
    return "Production annulée : aucun document écrit.";
  }
  return "Production annulée : " + std::to_string(written) +
         (written == 1 ? " document écrit sur " : " documents écrits sur ") +
         std::to_string(total) + ".";
}

}  // namespace

void CReportsDlg::UpdateFormatControls() {
  if (soffice_.empty()) {
    soffice_ = main_.GetServices().processes.FindProgram("soffice");
  }
  const bool saving = saveMode_.isChecked();
  const bool pdfPossible = saving && !soffice_.empty();
  formatRtf_.setEnabled(saving);
  formatPdf_.setEnabled(pdfPossible);
  formatPdf_.setToolTip(soffice_.empty() ? QStringLiteral("LibreOffice n'est pas installé")
                                         : QString());
  if (soffice_.empty() && formatPdf_.isChecked()) {
    CheckRadioButton(res::kCtlReportFormatRtf);
  }
  // One document for the students of a class; class documents, for several
  // classes maybe, stay one file each.
  singleDocument_.setEnabled(pdfPossible && formatPdf_.isChecked() && studentMode_.isChecked());
}

void CReportsDlg::ProducePdf(const std::string& templateText,
                             const std::vector<Document>& documents) {
  platform::Services& services = main_.GetServices();
  // LibreOffice runs with the event loop turning, and with few documents no
  // modal window holds the clicks: a second "Produire" would start another
  // production inside this one.
  produce_.setEnabled(false);
  const auto enableAgain = qScopeGuard([this] { produce_.setEnabled(true); });
  const std::chrono::year_month_day today = services.clock.Today();
  const ChartMaker charts = charts_.isChecked() ? ChartMaker(AppendChartPicture) : ChartMaker();
  // More than a few documents: a window that shows how far the work is and
  // can stop it.
  std::unique_ptr<QProgressDialog> progress;
  const int total = static_cast<int>(documents.size());
  if (total > kFewDocuments) {
    progress =
        std::make_unique<QProgressDialog>(QString(), QStringLiteral("Annuler"), 0, total, this);
    progress->setWindowTitle(QStringLiteral("Production de rapports"));
    progress->setWindowModality(Qt::WindowModal);
    progress->setAutoReset(false);
    progress->setAutoClose(false);
    progress->setMinimumDuration(0);
    progress->setMinimumWidth(Px(320));
  }
  const auto show = [&progress](const QString& what, int done, int all) {
    if (progress == nullptr) {
      return true;
    }
    progress->setLabelText(QStringLiteral("%1 : %2 sur %3").arg(what).arg(done).arg(all));
    progress->setValue(done);
    return !progress->wasCanceled();
  };

  std::vector<PdfDocument> pdfs;
  for (const Document& document : documents) {
    if (!show(QStringLiteral("Préparation des documents"), static_cast<int>(pdfs.size()), total)) {
      progress.reset();
      services.messages.Inform("Production annulée : aucun document écrit.", "Information",
                               MessageIcon::Information);
      return;
    }
    // Looked up again for each document: the gradebook is not ours to hold.
    const ClassRecord* record = ClassAt(main_.GetGradebook(), document.classPosition);
    const bool classMode = document.studentPosition < 0;
    const StudentRecord* student =
        record == nullptr || classMode ? nullptr : StudentAt(*record, document.studentPosition);
    if (record == nullptr || (!classMode && student == nullptr)) {
      continue;
    }
    pdfs.push_back({MergeTemplate(templateText, *record, student, classMode, charts),
                    PdfFileName(Cp1252ToUtf8(document.name), today)});
  }
  if (pdfs.empty()) {
    return;
  }

  PdfRequest request;
  request.soffice = soffice_;
  request.directory = directory_.text().toStdString();
  request.timeout = pdfTimeout_;
  if (singleDocument_.isEnabled() && singleDocument_.isChecked()) {
    const ClassRecord* first = ClassAt(main_.GetGradebook(), documents.front().classPosition);
    const std::string className = first != nullptr ? Cp1252ToUtf8(first->name.Str()) : "";
    const std::string templateName =
        QFileInfo(templatePath_.text().trimmed()).completeBaseName().toStdString();
    request.joinedName = PdfFileName(className + "_" + templateName, today);
  }
  if (progress != nullptr) {
    request.progress = [&show](int done, int all) {
      return show(QStringLiteral("Création des documents PDF"), done, all);
    };
  }
  const PdfOutcome outcome = WritePdfDocuments(services.processes, services.files, pdfs, request);
  progress.reset();

  switch (outcome.status) {
    case PdfOutcome::Status::kDone:
      services.messages.Inform(outcome.written == 1
                                   ? std::string("Document créé")
                                   : std::to_string(outcome.written) + " documents créés",
                               "C'est fini!", MessageIcon::Exclamation);
      break;
    case PdfOutcome::Status::kCancelled:
      services.messages.Inform(CancelledText(outcome.written, static_cast<int>(pdfs.size())),
                               "Information", MessageIcon::Information);
      break;
    case PdfOutcome::Status::kFailed:
      services.messages.Inform("Erreur à la création du document\n" + outcome.error, "Erreur!",
                               MessageIcon::Stop);
      break;
  }
}

}  // namespace vellanor
