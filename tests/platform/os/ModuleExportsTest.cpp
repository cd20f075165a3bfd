// Looking up exports of loaded modules: the module's own exports only, by
// the handle the module lookup gives.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "platform/os/ModuleExports.h"
#include "platform/os/ModuleHandle.h"

namespace {

TEST(ModuleExportsTest, FindsTheModulesOwnExportsOnly) {
    // Loaded into the global scope, where a lookup through the program's
    // handle would also see it.
    void* module = dlopen(PROBE_MODULE_PATH, RTLD_NOW | RTLD_GLOBAL);
    ASSERT_NE(module, nullptr) << dlerror();
    const os::HMODULE probe = os::GetModuleHandleA("ProbeModule.DLL");
    ASSERT_NE(probe, 0u);

    auto* answer = reinterpret_cast<int (*)()>(os::GetProcAddress(probe, "ProbeModuleAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(os::GetProcAddress(probe, "NoSuchExport"), nullptr);
    EXPECT_EQ(os::GetProcAddress(probe, nullptr), nullptr);

    EXPECT_EQ(os::GetProcAddress(os::GetModuleHandleA(nullptr), "ProbeModuleAnswer"), nullptr);
    EXPECT_NE(os::GetProcAddress(os::GetModuleHandleA("libc.so.6"), "malloc"), nullptr);
    EXPECT_EQ(os::GetProcAddress(os::GetModuleHandleA("libc.so.6"), "ProbeModuleAnswer"), nullptr);
    EXPECT_EQ(os::GetProcAddress(0, "malloc"), nullptr);
    EXPECT_EQ(os::GetProcAddress(1, "malloc"), nullptr);  // inside no module
    dlclose(module);
}

}  // namespace
