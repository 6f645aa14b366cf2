// What both builds of the settings file handle share: the hook before the swap.
#include "ini/ini_file.h"

#include <utility>

namespace kelvaro {
namespace {

std::function<void()>& BeforeSwapHook() {
    static std::function<void()> hook;
    return hook;
}

}  // namespace

void IniFile::SetBeforeSwapHook(std::function<void()> hook) {
    BeforeSwapHook() = std::move(hook);
}

void IniFile::RunBeforeSwapHook() {
    if (BeforeSwapHook()) BeforeSwapHook()();
}

}  // namespace kelvaro
