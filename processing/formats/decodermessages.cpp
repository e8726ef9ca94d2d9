#include "formats/decodermessages.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <mutex>

namespace {

thread_local DecoderMessages *current = nullptr;
// Qt hands out its default handler when none was installed, so this is set
// once the first capture starts.
std::atomic<QtMessageHandler> previous{nullptr};

void logTiffMessage(const char *, const char *format, va_list arguments)
{
    char text[512];
    std::vsnprintf(text, sizeof text, format, arguments);
    qWarning("%s", text);
}

using PngMessage = void (*)(void *png, const char *message);

// libpng's own handler of an error prints it to stderr, without a file's
// name, and ends the call through the reader's jump.
[[noreturn]] void logPngError(void *png, const char *message)
{
    qWarning("libpng error: %s", message);
    using Jump = void (*)(void *png, int value);
    static const auto jump = reinterpret_cast<Jump>(dlsym(RTLD_NEXT, "png_longjmp"));
    jump(png, 1);
    std::abort(); // png_longjmp does not return
}

} // namespace

// Qt's PNG reader gives libpng no handler of errors, so libpng would print
// them to stderr itself ("libpng error: IHDR: out of place"), once for
// every reader that meets the fault. This definition stands in for
// libpng's, which the dynamic linker finds after it: each reader's errors
// then reach Qt's log, and the capture, like its warnings.
extern "C" void png_set_error_fn(void *png, void *errorPointer, PngMessage error, PngMessage warning)
{
    using Setter = void (*)(void *, void *, PngMessage, PngMessage);
    static const auto set = reinterpret_cast<Setter>(dlsym(RTLD_NEXT, "png_set_error_fn"));
    if (set)
        set(png, errorPointer, error ? error : logPngError, warning);
}

void DecoderMessages::expectFormat(const QByteArray &format) const
{
    if (format == "tiff")
        routeTiffMessages();
}

// libtiff prints its remarks to stderr itself; sent to Qt's log instead, they
// reach the capture like every other decoder's. Once per process, before the
// first TIFF is read: loading the library costs a few ms. Looked up by name,
// as only Qt's TIFF plugin links the library; its module names (the file
// name Qt invents) say nothing and are left out.
void DecoderMessages::routeTiffMessages()
{
    static std::once_flag once;
    std::call_once(once, [] {
        void *library = dlopen("libtiff.so.6", RTLD_NOW | RTLD_GLOBAL);
        if (!library)
            return;
        using Handler = void (*)(const char *, const char *, va_list);
        using Setter = Handler (*)(Handler);
        for (const char *name : {"TIFFSetWarningHandler", "TIFFSetErrorHandler"}) {
            if (const auto set = reinterpret_cast<Setter>(dlsym(library, name)))
                set(logTiffMessage);
        }
    });
}

// Installed again at every capture, as a handler installed meanwhile by
// someone else would otherwise hide the decoders' messages.
DecoderMessages::DecoderMessages() : outer(current)
{
    const QtMessageHandler replaced = qInstallMessageHandler(takeOrPass);
    if (replaced != takeOrPass)
        previous.store(replaced);
    current = this;
}

DecoderMessages::~DecoderMessages()
{
    current = outer;
}

void DecoderMessages::takeOrPass(QtMsgType type, const QMessageLogContext &context,
                                 const QString &message)
{
    if (current && type != QtDebugMsg) {
        const QString text = message.trimmed();
        if (!text.isEmpty() && !current->taken.contains(text))
            current->taken << text;
        return;
    }
    if (const QtMessageHandler next = previous.load())
        next(type, context, message);
    else // only in the instant of the first installation
        std::fprintf(stderr, "%s\n", qPrintable(message));
}
