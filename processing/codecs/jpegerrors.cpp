#include "codecs/jpegerrors.h"

namespace {

[[noreturn]] void jumpBack(j_common_ptr info)
{
    auto *errors = reinterpret_cast<JpegErrors *>(info->err);
    if (errors->say)
        errors->say(info);
    std::longjmp(errors->failed, 1);
}

} // namespace

jpeg_error_mgr *jumpingErrors(JpegErrors &errors, void (*say)(j_common_ptr))
{
    jpeg_std_error(&errors.manager);
    errors.manager.error_exit = jumpBack;
    errors.say = say;
    if (say)
        errors.manager.output_message = say;
    return &errors.manager;
}
