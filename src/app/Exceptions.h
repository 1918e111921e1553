#pragma once

#include <QString>

#include <exception>

// The program's exception family. Every failure the reader may see is one of these, carrying its text;
// the application object shows them (TApplication::HandleException). EAbort is the silent one.
class Exception : public std::exception
{
public:
    explicit Exception(QString message);

    const QString& Message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

    // Where the exception was raised, relative to the start of the module that raised it.
    quintptr RaiseOffset() const { return m_raiseOffset; }

private:
    QString m_message;
    QByteArray m_utf8;
    quintptr m_raiseOffset = 0;
};

// Stops a handler without a message.
class EAbort : public Exception
{
public:
    EAbort() : Exception(QStringLiteral("Operation aborted")) {}
};

// A failure reported by the database provider: the file cannot be opened, a statement fails,
// a row cannot be written.
class EOleException : public Exception
{
public:
    using Exception::Exception;
};

// A misuse of a dataset or field: a closed dataset, a missing field.
class EDatabaseError : public Exception
{
public:
    using Exception::Exception;
};

// A report or report file that cannot be read or written.
class EReportError : public Exception
{
public:
    using Exception::Exception;
};

// The demangled class name of the exception being handled, or of the given type name.
QString CurrentExceptionClassName();

class QObject;

// The default handler for an exception that escapes an event handler; the application object
// installs it. Without one the exception is written to standard error.
using DefaultExceptionHandler = void (*)(QObject* sender);
void SetDefaultExceptionHandler(DefaultExceptionHandler handler);
void HandleEventException(QObject* sender);

// Runs an event handler so that no exception unwinds the toolkit's code: what escapes goes to the
// default handler, and the handler stops where it was.
template <class Handler>
void Guarded(QObject* sender, Handler&& handler) noexcept
{
    try {
        handler();
    } catch (...) {
        HandleEventException(sender);
    }
}
