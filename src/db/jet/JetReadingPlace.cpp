#include "JetReadingPlace.h"

#include "JetReaderProtocol.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

// The crash line of the place being read, or null. Read by the signal handler: a lock-free atomic.
std::atomic<const char*> g_current{nullptr};
QString g_testCrashAt;

// A crash on a damaged page may have overrun the stack: the handler runs on a stack of its own.
char g_handlerStack[64 * 1024];

void ReportAndDie(int signal)
{
    if (const char* line = g_current.load(std::memory_order_relaxed))
        (void)!write(STDOUT_FILENO, line, std::strlen(line));
    // The handler was reset on entry (SA_RESETHAND): the signal now ends the program as it would have.
    raise(signal);
}

QString OneField(QString name)
{
    name.replace(QLatin1Char('\t'), QLatin1Char(' '));
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return name;
}

} // namespace

JetReadingPlace::JetReadingPlace(const QString& table, const QString& column)
    : m_line((QString(JetReaderProtocol::kCrash) + QLatin1Char('\t') + OneField(table) + QLatin1Char('\t') +
              OneField(column) + QLatin1Char('\n'))
                 .toUtf8()),
      m_crashHere(!g_testCrashAt.isEmpty() &&
                  g_testCrashAt == (column.isEmpty() ? table : table + QLatin1Char('.') + column))
{}

JetReadingPlace::~JetReadingPlace()
{
    Leave();
}

void JetReadingPlace::Enter() const
{
    g_current.store(m_line.constData(), std::memory_order_relaxed);
    if (m_crashHere)
        raise(SIGSEGV);
}

void JetReadingPlace::Leave() const
{
    const char* mine = m_line.constData();
    g_current.compare_exchange_strong(mine, nullptr, std::memory_order_relaxed);
}

void JetReadingPlace::ReportCrashes(const QString& testCrashAt)
{
    g_testCrashAt = testCrashAt;
    stack_t stack{};
    stack.ss_sp = g_handlerStack;
    stack.ss_size = sizeof g_handlerStack;
    sigaltstack(&stack, nullptr);
    struct sigaction action
    {
    };
    action.sa_handler = ReportAndDie;
    action.sa_flags = SA_RESETHAND | SA_NODEFER | SA_ONSTACK;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
        sigaction(signal, &action, nullptr);
}
