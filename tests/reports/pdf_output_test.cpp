#include "reports/pdf_output.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fake_soffice.h"
#include "platform/file_store.h"
#include "support/fake_process_runner.h"
#include "support/faulty_system_calls.h"
#include "support/temp_dir.h"

namespace vellanor {
namespace {

namespace fs = std::filesystem;
using Status = PdfOutcome::Status;
using test::FileNames;

struct Production {
  test::TempDir tools;
  test::FakeProcessRunner runner;
  platform::QtFileStore files;
  std::vector<PdfDocument> documents = {{"{\\rtf1 A}", "4e B_Martin_20261207.pdf"},
                                        {"{\\rtf1 B}", "4e B_Durand_20261207.pdf"},
                                        {"{\\rtf1 C}", "4e B_Petit_20261207.pdf"}};
  PdfRequest request;

  explicit Production(const std::string& body) {
    fs::create_directory("out");
    request.soffice = test::FakeSoffice(tools.Path(), body);
    request.directory = "out";
  }
  PdfOutcome Run() { return WritePdfDocuments(runner, files, documents, request); }
};

TEST(PdfOutputTest, OneRunOfLibreOfficeConvertsEveryDocumentUnderItsName) {
  Production production(test::Convert());
  const PdfOutcome outcome = production.Run();
  EXPECT_EQ(outcome.status, Status::kDone);
  EXPECT_EQ(outcome.written, 3);
  EXPECT_EQ(FileNames("out"),
            (std::vector<std::string>{"4e B_Durand_20261207.pdf", "4e B_Martin_20261207.pdf",
                                      "4e B_Petit_20261207.pdf"}));
  ASSERT_EQ(production.runner.runs.size(), 1u);
  const std::vector<std::string>& arguments = production.runner.runs[0].arguments;
  ASSERT_EQ(arguments.size(), 10u);
  // The private folder, then what LibreOffice is told to do with it.
  const std::string folder = arguments[6].substr(0, arguments[6].size() - 4);
  EXPECT_EQ(arguments[0], "-env:UserInstallation=file://" + folder + "/profil");
  EXPECT_EQ(std::vector<std::string>(arguments.begin() + 1, arguments.end()),
            (std::vector<std::string>{"--headless", "--norestore", "--convert-to", "pdf",
                                      "--outdir", folder + "/pdf", folder + "/rtf/0001.rtf",
                                      folder + "/rtf/0002.rtf", folder + "/rtf/0003.rtf"}));
  // The private folder is gone with the RTF in it.
  EXPECT_FALSE(fs::exists(folder));

  // Joined: one file, the documents' pages in order.
  production.request.joinedName = "4e B_Bulletin_20261207.pdf";
  fs::remove_all("out");
  fs::create_directory("out");
  EXPECT_EQ(production.Run().written, 1);
  EXPECT_EQ(FileNames("out"), (std::vector<std::string>{"4e B_Bulletin_20261207.pdf"}));
  EXPECT_EQ(test::PageWidths("out/4e B_Bulletin_20261207.pdf"), (std::vector<int>{100, 100, 100}));
}

TEST(PdfOutputTest, AConvertedFileThatCannotBeReadIsNotPutInPlace) {
  Production production(test::Convert());
  test::FaultySystemCalls calls;
  platform::QtFileStore faulty(calls);
  calls.Inject(test::FaultySystemCalls::Fault::Fail, 3);  // open, fstat, then the failing read
  const PdfOutcome outcome =
      WritePdfDocuments(production.runner, faulty, production.documents, production.request);
  EXPECT_EQ(outcome.status, Status::kFailed);
  EXPECT_EQ(outcome.written, 0);
  EXPECT_EQ(outcome.error, "Impossible d'écrire le fichier out/4e B_Martin_20261207.pdf.");
  EXPECT_TRUE(FileNames("out").empty());
}

TEST(PdfOutputTest, JoinKeepsEveryPageInOrder) {
  test::MakePdf("a.pdf", 1, 100);
  test::MakePdf("b.pdf", 2, 200);
  test::MakePdf("c.pdf", 1, 300);
  std::string error;
  const auto joined = JoinPdfFiles({"a.pdf", "b.pdf", "c.pdf"}, error);
  ASSERT_TRUE(joined.has_value()) << error;
  test::WriteBytes("joined.pdf", std::vector<unsigned char>(joined->begin(), joined->end()));
  EXPECT_EQ(test::PageWidths("joined.pdf"), (std::vector<int>{100, 200, 201, 300}));

  test::WriteBytes("broken.pdf", {'%', 'P', 'D', 'F'});
  EXPECT_FALSE(JoinPdfFiles({"a.pdf", "broken.pdf"}, error).has_value());
  EXPECT_FALSE(error.empty());
}

TEST(PdfOutputTest, AFailingLibreOfficeLeavesNoPdfInPlace) {
  struct Case {
    std::string body;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"echo 'Error: source file could not be loaded' >&2; exit 3",
       "LibreOffice a échoué (code 3).\nError: source file could not be loaded"},
      {"sleep 30", "LibreOffice n'a pas répondu dans le temps accordé (1 s par document)."},
      {"exit 0", "LibreOffice n'a pas produit le document « 4e B_Martin_20261207.pdf »."},
      // Converts the first, then dies: the first is not put in place either.
      {"cp \"$here/page.pdf\" \"$out/0001.pdf\"; kill -9 $$",
       "LibreOffice s'est arrêté brutalement."},
  };
  for (const Case& c : cases) {
    Production production(c.body);
    production.request.timeout = std::chrono::milliseconds(300);
    // An earlier document of the same name stays as it was.
    test::WriteBytes("out/4e B_Martin_20261207.pdf", {'o', 'l', 'd'});
    const PdfOutcome outcome = production.Run();
    EXPECT_EQ(outcome.status, Status::kFailed) << c.body;
    EXPECT_EQ(outcome.error, c.error) << c.body;
    EXPECT_EQ(FileNames("out"), (std::vector<std::string>{"4e B_Martin_20261207.pdf"}));
    EXPECT_EQ(test::ReadBytes("out/4e B_Martin_20261207.pdf"),
              (std::vector<unsigned char>{'o', 'l', 'd'}));
    fs::remove_all("out");
  }

  Production missing(test::Convert());
  missing.request.soffice = (missing.tools.Path() / "absent").string();
  EXPECT_EQ(missing.Run().status, Status::kFailed);
  missing.request.soffice.clear();
  EXPECT_EQ(missing.Run().error, "LibreOffice n'est pas installé.");
  EXPECT_TRUE(FileNames("out").empty());
}

TEST(PdfOutputTest, CancelStopsAfterTheDocumentInHand) {
  Production production(test::Convert("0.4"));
  for (int i = 4; i <= 6; ++i) {
    production.documents.push_back({"{\\rtf1}", "doc" + std::to_string(i) + ".pdf"});
  }
  std::vector<int> seen;
  production.request.progress = [&seen](int done, int total) {
    EXPECT_EQ(total, 6);
    seen.push_back(done);
    return done < 1;
  };
  const PdfOutcome outcome = production.Run();
  EXPECT_EQ(outcome.status, Status::kCancelled);
  // The second was in hand when "Annuler" came; what came after is dropped.
  ASSERT_GE(outcome.written, 2);
  ASSERT_LT(outcome.written, 6);
  const std::vector<std::string> names = FileNames("out");
  EXPECT_EQ(static_cast<int>(names.size()), outcome.written);
  EXPECT_EQ(names[0], "4e B_Durand_20261207.pdf");
  EXPECT_EQ(names[1], "4e B_Martin_20261207.pdf");
  EXPECT_EQ(seen.back(), outcome.written);

  // A class that was to be one file is not written in part.
  fs::remove_all("out");
  fs::create_directory("out");
  production.request.joinedName = "4e B_Bulletin_20261207.pdf";
  const PdfOutcome joined = production.Run();
  EXPECT_EQ(joined.status, Status::kCancelled);
  EXPECT_EQ(joined.written, 0);
  EXPECT_TRUE(FileNames("out").empty());
}

TEST(PdfOutputTest, FileNamesCarryTheDateAndNoPathSeparator) {
  const std::chrono::year_month_day day = std::chrono::year{2026} / 3 / 9;
  EXPECT_EQ(PdfFileName("4e B_Zoé", day), "4e B_Zoé_20260309.pdf");
  EXPECT_EQ(PdfFileName("../4e/B_Bulletin", day), ".._4e_B_Bulletin_20260309.pdf");
}

}  // namespace
}  // namespace vellanor
