#include "Exceptions.h"

#include <cxxabi.h>
#include <dlfcn.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace {

quintptr OffsetInModule(const void* address)
{
    Dl_info info{};
    if (address == nullptr || dladdr(address, &info) == 0 || info.dli_fbase == nullptr)
        return 0;
    return reinterpret_cast<quintptr>(address) - reinterpret_cast<quintptr>(info.dli_fbase);
}

} // namespace

// Kept out of line so that the return address is the code that raised the exception.
__attribute__((noinline)) Exception::Exception(QString message)
    : m_message(std::move(message)), m_utf8(m_message.toUtf8()),
      m_raiseOffset(OffsetInModule(__builtin_extract_return_addr(__builtin_return_address(0))))
{}

QString CurrentExceptionClassName()
{
    const std::type_info* type = abi::__cxa_current_exception_type();
    if (type == nullptr)
        return QStringLiteral("Exception");
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(type->name(), nullptr, nullptr, &status), std::free);
    return QString::fromLatin1(status == 0 && demangled ? demangled.get() : type->name());
}

namespace {

DefaultExceptionHandler g_defaultHandler = nullptr;

} // namespace

void SetDefaultExceptionHandler(DefaultExceptionHandler handler)
{
    g_defaultHandler = handler;
}

void HandleEventException(QObject* sender)
{
    try {
        if (g_defaultHandler != nullptr) {
            g_defaultHandler(sender);
            return;
        }
        throw;
    } catch (const Exception& e) {
        qWarning("%s: %s", qPrintable(CurrentExceptionClassName()), qPrintable(e.Message()));
    } catch (...) {
        qWarning("%s", qPrintable(CurrentExceptionClassName()));
    }
}
