#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <string>

namespace vl::test {

// A CUPS scheduler of the test's own, listening on a socket in a temporary
// folder, with one PDF printer (cups-pdf) as its default printer. While it
// runs, CUPS_SERVER points the process's CUPS client at it. It needs cupsd,
// lpadmin and printer-driver-cups-pdf; start() says why when it cannot run,
// so that tests can skip.
class PrivateCupsServer {
public:
    static constexpr const char* kPrinterName = "VellumPDF";
    // A second printer of the same driver whose papers have an unprintable
    // edge of kEdgePoints on every side.
    static constexpr const char* kEdgedPrinterName = "VellumPDFEdged";
    static constexpr int kEdgePoints = 18;

    PrivateCupsServer() = default;
    ~PrivateCupsServer();
    PrivateCupsServer(const PrivateCupsServer&) = delete;
    PrivateCupsServer& operator=(const PrivateCupsServer&) = delete;

    // True when the server runs with the printer; otherwise reason says why.
    bool start(std::string& reason);
    void stop();
    bool running() const { return cupsd_.state() == QProcess::Running; }

private:
    bool findTools(std::string& reason);
    bool writeConfiguration(std::string& reason);
    bool waitUntilReady(std::string& reason);
    bool addPrinter(std::string& reason);
    bool addEdgedPrinter(std::string& reason);
    bool runClient(const QString& program, const QStringList& args, std::string& reason);
    std::string serverLog() const;
    void pointClientAt(const QByteArray& server);

    QTemporaryDir dir_{QStringLiteral("/tmp/vellum-cups-XXXXXX")};
    QProcess cupsd_;
    QString cupsdPath_, lpadminPath_, lpstatPath_, ppdPath_;
    QString socketPath_;
    bool clientPointed_ = false;
    bool hadServer_ = false;
    QByteArray oldServer_;
};

} // namespace vl::test
