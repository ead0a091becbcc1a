// Shows the real checker window, runs a check of its sample article against
// a stand-in for the search host on 127.0.0.1 and saves a picture of the
// window once the check is done. Usage: checker_screenshot <file.png>
#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <cctype>
#include <cstdio>
#include <string>

#include "checker_ui/checker_window.h"
#include "checker_ui/fonts.h"
#include "core/check/fragments.h"
#include "tests/support/test_server.h"

namespace {

std::string PercentDecoded(const std::string& text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() &&
        std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      bytes += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      bytes += text[i];
    }
  }
  return bytes;
}

// A result page that marks two phrases of most segments, the way the
// engine marks what it already knows; every fourth segment is unknown.
test::Response ResultPage(const test::Request& request) {
  const size_t word = request.target.find("word=");
  // The request line carries the address as UTF-8, percent-encoded.
  const QString segment = QString::fromStdString(PercentDecoded(
      word == std::string::npos ? "" : request.target.substr(word + 5)));
  QString page =
      QStringLiteral("<html><body><!--STATUS OK--><div id=\"content_left\">");
  int sum = 0;
  for (const QChar unit : segment) sum += unit.unicode();
  if (sum % 4 != 0) {
    page += "<h3><em>" + segment.mid(3, 9) + "</em></h3><p>" + segment.left(2) +
            "<em>" + segment.mid(20, 7) + "</em></p>";
  }
  page += "</div></body></html>";
  return test::Response{200,
                        {{"Content-Type", "text/html; charset=utf-8"}},
                        page.toUtf8().toStdString()};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s <file.png>\n", argv[0]);
    return 2;
  }
  const QString output = QString::fromLocal8Bit(argv[1]);
  QApplication application(argc, argv);
  checker_ui::InstallFontSubstitutes();

  test::TestServer server;
  if (!server.ok()) {
    std::fprintf(stderr, "stand-in server: %s\n", server.error().c_str());
    return 1;
  }
  server.Route("/baidu", ResultPage);
  const core::AnsiText prefix(server.Url("/baidu?tn=baidu&word="));

  checker_ui::CheckerWindow::Services services;
  services.fragment_source = [prefix](const core::AnsiText& segment,
                                      core::TextList& fragments) {
    return check::CollectHighlightFragmentsAt(prefix, segment, fragments);
  };
  services.opener = [](const std::string&) {};
  checker_ui::CheckerWindow window(std::move(services));
  window.show();

  int status = 1;
  QTimer::singleShot(300, &window, [&window] { window.StartCheck(); });
  auto* poll = new QTimer(&window);
  QObject::connect(poll, &QTimer::timeout, &window, [&] {
    if (!window.WorkerStarted() || !window.start_button()->isEnabled()) return;
    poll->stop();
    // Let the last repaint land before the picture is taken.
    QTimer::singleShot(300, &window, [&] {
      status = window.grab().save(output) ? 0 : 1;
      application.quit();
    });
  });
  poll->start(50);
  // However the check goes, the tool ends.
  QTimer::singleShot(120000, &application, [&] {
    std::fprintf(stderr, "the check did not finish\n");
    application.quit();
  });
  application.exec();
  return status;
}
