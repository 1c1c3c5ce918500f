#include "tests/support/PrivateCupsServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <cstdlib>
#include <dlfcn.h>

namespace vl::test {

namespace {

const QStringList kSbinDirs{"/usr/sbin", "/usr/local/sbin", "/sbin"};
const QStringList kBinDirs{"/usr/bin", "/usr/local/bin", "/bin"};
const QStringList kPpds{"/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd",
                        "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd",
                        "/usr/share/cups/model/CUPS-PDF_opt.ppd"};
const QStringList kBackends{"/usr/lib/cups/backend/cups-pdf", "/usr/libexec/cups/backend/cups-pdf"};

QString findProgram(const QString& name, const QStringList& dirs) {
    const QString found = QStandardPaths::findExecutable(name, dirs);
    return found.isEmpty() ? QStandardPaths::findExecutable(name) : found;
}

QString firstExisting(const QStringList& paths) {
    for (const QString& p : paths)
        if (QFileInfo::exists(p)) return p;
    return {};
}

bool writeFile(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return file.write(text.toUtf8()) >= 0;
}

} // namespace

PrivateCupsServer::~PrivateCupsServer() {
    stop();
}

bool PrivateCupsServer::findTools(std::string& reason) {
    cupsdPath_ = findProgram("cupsd", kSbinDirs);
    lpadminPath_ = findProgram("lpadmin", kSbinDirs);
    lpstatPath_ = findProgram("lpstat", kBinDirs);
    if (cupsdPath_.isEmpty() || lpadminPath_.isEmpty() || lpstatPath_.isEmpty()) {
        reason = "cupsd, lpadmin or lpstat is not installed (package cups)";
        return false;
    }
    ppdPath_ = firstExisting(kPpds);
    if (ppdPath_.isEmpty() || firstExisting(kBackends).isEmpty()) {
        reason = "the cups-pdf printer driver is not installed (package printer-driver-cups-pdf)";
        return false;
    }
    return true;
}

bool PrivateCupsServer::writeConfiguration(std::string& reason) {
    if (!dir_.isValid()) {
        reason = "cannot create a temporary folder";
        return false;
    }
    const QString root = dir_.path();
    for (const char* sub : {"ppd", "state", "cache", "spool/tmp", "log"})
        QDir(root).mkpath(sub);
    socketPath_ = root + "/cups.sock";
    const QString server = QStringLiteral("Listen %1\n"
                                          "LogLevel warn\n"
                                          "Browsing No\n"
                                          "WebInterface No\n"
                                          "DefaultAuthType None\n"
                                          "<Location />\n  Order allow,deny\n  Allow all\n"
                                          "</Location>\n")
                               .arg(socketPath_);
    const QString files = QStringLiteral("ServerRoot %1\n"
                                         "StateDir %1/state\n"
                                         "CacheDir %1/cache\n"
                                         "RequestRoot %1/spool\n"
                                         "TempDir %1/spool/tmp\n"
                                         "ErrorLog %1/log/error_log\n"
                                         "AccessLog %1/log/access_log\n"
                                         "PageLog %1/log/page_log\n")
                              .arg(root);
    if (!writeFile(root + "/cupsd.conf", server) || !writeFile(root + "/cups-files.conf", files)) {
        reason = "cannot write the cupsd configuration";
        return false;
    }
    return true;
}

bool PrivateCupsServer::runClient(const QString& program, const QStringList& args,
                                  std::string& reason) {
    QProcess client;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("CUPS_SERVER", socketPath_);
    client.setProcessEnvironment(env);
    client.start(program, args);
    if (!client.waitForFinished(10000) || client.exitStatus() != QProcess::NormalExit ||
        client.exitCode() != 0) {
        reason = QFileInfo(program).fileName().toStdString() +
                 " failed: " + client.readAllStandardError().trimmed().toStdString();
        return false;
    }
    return true;
}

std::string PrivateCupsServer::serverLog() const {
    QFile log(dir_.path() + "/log/error_log");
    const QByteArray text = log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    return text.right(400).trimmed().toStdString();
}

bool PrivateCupsServer::waitUntilReady(std::string& reason) {
    QElapsedTimer timer;
    timer.start();
    std::string last;
    while (timer.elapsed() < 10000) {
        if (cupsd_.state() != QProcess::Running) {
            reason = "cupsd stopped: " + cupsd_.readAllStandardError().trimmed().toStdString() +
                     " " + serverLog();
            return false;
        }
        if (QFileInfo::exists(socketPath_) && runClient(lpstatPath_, {"-r"}, last)) return true;
        QThread::msleep(50);
    }
    reason = "cupsd did not answer: " + last + " " + serverLog();
    return false;
}

bool PrivateCupsServer::addPrinter(std::string& reason) {
    return runClient(lpadminPath_, {"-p", kPrinterName, "-E", "-v", "cups-pdf:/", "-P", ppdPath_},
                     reason) &&
           runClient(lpadminPath_, {"-d", kPrinterName}, reason) && addEdgedPrinter(reason);
}

// The same driver with an unprintable edge of kEdgePoints on every side of
// every paper, as most real printers have.
bool PrivateCupsServer::addEdgedPrinter(std::string& reason) {
    QFile source(ppdPath_);
    if (!source.open(QIODevice::ReadOnly)) {
        reason = "cannot read " + ppdPath_.toStdString();
        return false;
    }
    QString ppd = QString::fromLatin1(source.readAll());
    static const QRegularExpression area(
        QStringLiteral(R"re(\*ImageableArea ([^:]+): "([\d.]+) ([\d.]+) ([\d.]+) ([\d.]+)")re"));
    QString edged;
    qsizetype last = 0;
    for (auto it = area.globalMatch(ppd); it.hasNext();) {
        const auto m = it.next();
        edged += ppd.mid(last, m.capturedStart() - last);
        const auto at = [&](int i, int sign) {
            return QString::number(m.captured(i).toDouble() + sign * kEdgePoints);
        };
        edged += QStringLiteral("*ImageableArea %1: \"%2 %3 %4 %5\"")
                     .arg(m.captured(1), at(2, 1), at(3, 1), at(4, -1), at(5, -1));
        last = m.capturedEnd();
    }
    edged += ppd.mid(last);
    const QString edges = QString::number(kEdgePoints);
    edged.replace(QStringLiteral("*HWMargins: 0 0 0 0"),
                  QStringLiteral("*HWMargins: %1 %1 %1 %1").arg(edges));
    const QString path = dir_.filePath(QStringLiteral("edged.ppd"));
    QFile target(path);
    if (!target.open(QIODevice::WriteOnly) || target.write(edged.toLatin1()) < 0) {
        reason = "cannot write " + path.toStdString();
        return false;
    }
    target.close();
    return runClient(lpadminPath_, {"-p", kEdgedPrinterName, "-E", "-v", "cups-pdf:/", "-P", path},
                     reason);
}

// libcups reads CUPS_SERVER once; when it is already loaded it is told
// directly.
void PrivateCupsServer::pointClientAt(const QByteArray& server) {
    using SetServer = void (*)(const char*);
    if (auto set = reinterpret_cast<SetServer>(dlsym(RTLD_DEFAULT, "cupsSetServer")))
        set(server.isEmpty() ? nullptr : server.constData());
}

bool PrivateCupsServer::start(std::string& reason) {
    if (running()) return true;
    if (!findTools(reason) || !writeConfiguration(reason)) return false;
    const QString root = dir_.path();
    cupsd_.start(cupsdPath_, {"-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"});
    if (!cupsd_.waitForStarted(5000)) {
        reason = "cannot run cupsd: " + cupsd_.errorString().toStdString();
        return false;
    }
    if (!waitUntilReady(reason) || !addPrinter(reason)) {
        stop();
        return false;
    }
    hadServer_ = qEnvironmentVariableIsSet("CUPS_SERVER");
    oldServer_ = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", socketPath_.toLocal8Bit());
    pointClientAt(socketPath_.toLocal8Bit());
    clientPointed_ = true;
    return true;
}

void PrivateCupsServer::stop() {
    if (cupsd_.state() == QProcess::NotRunning) return;
    cupsd_.terminate();
    if (!cupsd_.waitForFinished(5000)) {
        cupsd_.kill();
        cupsd_.waitForFinished(2000);
    }
    if (!clientPointed_) return;
    clientPointed_ = false;
    if (hadServer_)
        qputenv("CUPS_SERVER", oldServer_);
    else
        qunsetenv("CUPS_SERVER");
    pointClientAt(oldServer_);
}

} // namespace vl::test
