#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace vellanor::test {

// A PDF of `pages` empty pages, the first `width` points wide and each next
// one a point wider, so that a joined file shows which page came from where.
inline void MakePdf(const std::filesystem::path& file, int pages, int width = 100) {
  QPDF pdf;
  pdf.emptyPDF();
  QPDFPageDocumentHelper helper(pdf);
  for (int page = 0; page < pages; ++page) {
    const std::string box = "<< /Type /Page /Resources << >> /MediaBox [0 0 " +
                            std::to_string(width + page) + " 200] >>";
    helper.addPage(QPDFPageObjectHelper(pdf.makeIndirectObject(QPDFObjectHandle::parse(box))),
                   false);
  }
  QPDFWriter writer(pdf, file.c_str());
  writer.write();
}

// The width of each page of a PDF file, in order.
inline std::vector<int> PageWidths(const std::filesystem::path& file) {
  QPDF pdf;
  pdf.processFile(file.c_str());
  std::vector<int> widths;
  for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
    widths.push_back(page.getMediaBox().getArrayItem(2).getIntValueAsInt());
  }
  return widths;
}

// A shell script standing in for LibreOffice's soffice in `folder`: it runs
// `body`, where $out is the --outdir folder, "$@" the input files and $here
// the script's folder. Convert() converts every input (a copy of "page.pdf" made beside the
// script), pausing `pause` seconds before each.
inline std::string FakeSoffice(const std::filesystem::path& folder, const std::string& body) {
  MakePdf(folder / "page.pdf", 1);
  const std::filesystem::path script = folder / "soffice";
  std::ofstream out(script);
  out << "#!/bin/sh\n"
         "here=$(dirname \"$0\")\n"
         "while [ \"$1\" != --outdir ]; do shift; done\n"
         "out=$2; shift 2\n"
      << body << "\n";
  out.close();
  ::chmod(script.c_str(), 0755);
  return script.string();
}

inline std::string Convert(const std::string& pause = "0") {
  return "for f in \"$@\"; do sleep " + pause +
         "; cp \"$here/page.pdf\" \"$out/$(basename \"$f\" .rtf).pdf\"; done";
}

inline std::string ReadWholeFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace vellanor::test
