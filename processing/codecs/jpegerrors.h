#ifndef JPEGERRORS_H
#define JPEGERRORS_H

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

// libjpeg ends a failed call through error_exit, which must not return: our
// reader and writer jump back to the setjmp of the stage that made the call.
struct JpegErrors
{
    jpeg_error_mgr manager;
    std::jmp_buf failed;
    void (*say)(j_common_ptr) = nullptr;
};

// The error manager for info.err: a failure jumps to errors.failed, after
// say(info) when one is given, which then also takes libjpeg's warnings.
jpeg_error_mgr *jumpingErrors(JpegErrors &errors, void (*say)(j_common_ptr) = nullptr);

#endif // JPEGERRORS_H
