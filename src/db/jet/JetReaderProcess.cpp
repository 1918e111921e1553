#include "JetReaderProcess.h"

#include "Exceptions.h"
#include "JetError.h"
#include "JetReaderProtocol.h"
#include "MessageNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

const QString kHelperName = QStringLiteral("velnora-jet-reader");

// Silence this long from a helper that is still running means it is stuck on a damaged file: the
// helper speaks at least every second while it copies rows (JetLoader).
constexpr int kSilenceLimitMs = 10000;
constexpr int kWaitStepMs = 100;
constexpr int kWarningsKept = 4096;
// A file on which libmdb crashes in more places than this is given up.
constexpr int kCrashesForgiven = 64;

} // namespace

JetReaderProcess::JetReaderProcess(const QString& source, const JetLoadOptions& options)
    : m_source(QFileInfo(source).absoluteFilePath()), m_options(options)
{}

QString JetReaderProcess::HelperPath()
{
    // A program run from the build tree uses the helper built with it, an installed one the helper
    // installed with it, so that neither picks up the other's version.
    const QString built = QStringLiteral(VELNORA_JET_READER_BUILT);
    const QString installed = QStringLiteral(VELNORA_JET_READER_INSTALLED);
    QStringList candidates;
    if (QCoreApplication::instance() != nullptr) {
        const QString folder = QCoreApplication::applicationDirPath();
        candidates.append(QDir(folder).filePath(kHelperName));
        if (folder.startsWith(QStringLiteral(VELNORA_BUILD_DIR)))
            candidates.append(built);
        candidates.append(
            QDir::cleanPath(QDir(folder).filePath(QStringLiteral(VELNORA_JET_READER_FROM_BIN))));
    }
    candidates.append(installed);
    candidates.append(built);
    for (const QString& candidate : candidates) {
        const QFileInfo info(candidate);
        if (info.isFile() && info.isExecutable())
            return candidate;
    }
    return QString();
}

void JetReaderProcess::CopyInto(const QString& sqlitePath, JetLoadReport& report)
{
    const QString helper = HelperPath();
    if (helper.isEmpty())
        Fail(QStringLiteral("برنامه %1 نصب نیست؛ ولنورا را دوباره نصب کنید").arg(NameInMessage(kHelperName)));
    JetLoadOptions options = m_options;
    for (;;) {
        JetLoadReport attempt;
        const std::optional<JetLoadOptions::Place> crashedOn = Run(helper, sqlitePath, options, attempt);
        if (!crashedOn) {
            report.tables.append(attempt.tables);
            report.browseQuery = report.browseQuery || attempt.browseQuery;
            report.notCarried.append(attempt.notCarried);
            return;
        }
        // Each try leaves out one more place; the same place again means the helper did not.
        if (options.leaveOut.contains(*crashedOn) || options.leaveOut.size() >= kCrashesForgiven)
            Fail(QStringLiteral("خواندن آن ناگهان از کار افتاد (پرونده آسیب دیده است)"));
        options.leaveOut.append(*crashedOn);
        // The helper writes into an empty file; what the crashed one wrote is dropped.
        QFile output(sqlitePath);
        if (!output.resize(0))
            Fail(QStringLiteral("رونوشت آن، %1، از نو آغاز نشد (%2)")
                     .arg(NameInMessage(QDir::toNativeSeparators(sqlitePath)), output.errorString()));
    }
}

std::optional<JetLoadOptions::Place> JetReaderProcess::Run(const QString& helper, const QString& sqlitePath,
                                                           const JetLoadOptions& options,
                                                           JetLoadReport& report)
{
    QStringList arguments = {m_source, sqlitePath, JetReaderProtocol::kQueryOption, options.browseQuery};
    if (options.addKeys)
        arguments.append(JetReaderProtocol::kAddKeys);
    for (const JetLoadOptions::Place& place : options.leaveOut)
        arguments << JetReaderProtocol::kLeaveOut << place.table << place.column;
    m_error.clear();
    m_done = false;
    m_crashedOn.reset();

    QProcess process;
    process.start(helper, arguments);
    if (!process.waitForStarted())
        Fail(QStringLiteral("برنامه %1 اجرا نشد").arg(NameInMessage(helper)));
    QElapsedTimer silence;
    silence.start();
    QByteArray pending;
    QByteArray warnings; // drained as they come, so that a flood of them cannot stall the helper
    bool running = true;
    while (running) {
        running = !process.waitForFinished(kWaitStepMs) && process.state() != QProcess::NotRunning;
        pending += process.readAllStandardOutput();
        warnings += process.readAllStandardError().left(kWarningsKept - warnings.size());
        for (int end = pending.indexOf('\n'); end >= 0; end = pending.indexOf('\n')) {
            Take(QString::fromUtf8(pending.left(end)), report);
            pending.remove(0, end + 1);
            silence.restart();
        }
        if (running && silence.elapsed() > kSilenceLimitMs) {
            process.kill();
            process.waitForFinished();
            Fail(QStringLiteral("خواندن آن پیش نرفت (شاید پرونده آسیب دیده باشد)"));
        }
    }
    if (!m_error.isEmpty())
        throw EOleException(m_error);
    if (process.exitStatus() == QProcess::CrashExit) {
        if (m_crashedOn)
            return m_crashedOn;
        Fail(QStringLiteral("خواندن آن ناگهان از کار افتاد (پرونده آسیب دیده است)"));
    }
    QString warning = QString::fromLocal8Bit(warnings).trimmed().section(QLatin1Char('\n'), 0, 0).trimmed();
    while (warning.endsWith(QLatin1Char('.')))
        warning.chop(1);
    if (!warning.isEmpty())
        Fail(QStringLiteral("پرونده آسیب دیده است (%1)").arg(NameInMessage(warning)));
    if (process.exitCode() != 0 || !m_done)
        Fail(QStringLiteral("خواندن آن کامل نشد"));
    return std::nullopt;
}

void JetReaderProcess::Take(const QString& line, JetLoadReport& report)
{
    const QStringList fields = line.split(QLatin1Char('\t'));
    const QString& kind = fields.first();
    if (kind == JetReaderProtocol::kProgress && fields.size() == 3) {
        if (m_options.progress)
            m_options.progress(fields.at(1).toLongLong(), fields.at(2).toLongLong());
    } else if (kind == JetReaderProtocol::kTable && fields.size() == 3) {
        report.tables.append({fields.at(1), fields.at(2).toLongLong()});
    } else if (kind == JetReaderProtocol::kQuery) {
        report.browseQuery = true;
    } else if (kind == JetReaderProtocol::kNote && fields.size() == 2) {
        report.notCarried.append(fields.at(1));
    } else if (kind == JetReaderProtocol::kError && fields.size() == 2) {
        m_error = fields.at(1);
    } else if (kind == JetReaderProtocol::kCrash && fields.size() == 3) {
        m_crashedOn = JetLoadOptions::Place{fields.at(1), fields.at(2)};
    } else if (kind == JetReaderProtocol::kDone) {
        m_done = true;
    }
}

void JetReaderProcess::Fail(const QString& cause) const
{
    throw JetError(m_source, cause);
}
