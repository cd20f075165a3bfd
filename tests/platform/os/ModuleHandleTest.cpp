// Looking up loaded modules: by file name in any letter case, by path, the
// program itself, and never loading what is looked up.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/os/ModuleHandle.h"

namespace {

TEST(ModuleHandleTest, FindsOnlyModulesAlreadyLoaded) {
    const std::string path = PROBE_MODULE_PATH;
    for (const char* name : {"ProbeModule.DLL", "probemodule.dll", "PROBEMODULE.DLL"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(os::GetModuleHandleA(name), 0u);
    }
    // Asking did not load it.
    EXPECT_EQ(dlopen(path.c_str(), RTLD_LAZY | RTLD_NOLOAD), nullptr);

    void* module = dlopen(path.c_str(), RTLD_NOW);
    ASSERT_NE(module, nullptr) << dlerror();
    const os::HMODULE byName = os::GetModuleHandleA("probemodule.dll");
    EXPECT_NE(byName, 0u);
    EXPECT_EQ(os::GetModuleHandleA("PROBEMODULE.DLL"), byName);
    EXPECT_EQ(os::GetModuleHandleA(path.c_str()), byName);
    // A path must match exactly; a part of a file name is no match.
    EXPECT_EQ(os::GetModuleHandleA("/elsewhere/ProbeModule.DLL"), 0u);
    EXPECT_EQ(os::GetModuleHandleA("ProbeModule"), 0u);
    // The handle is an address inside the module.
    auto* answer = reinterpret_cast<int (*)()>(dlsym(module, "ProbeModuleAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_LT(byName, reinterpret_cast<os::HMODULE>(answer));
    dlclose(module);
}

TEST(ModuleHandleTest, TheProgramItselfAndItsLibraries) {
    EXPECT_NE(os::GetModuleHandleA(nullptr), 0u);
    EXPECT_NE(os::GetModuleHandleA(""), 0u);
    EXPECT_NE(os::GetModuleHandleA("LIBC.SO.6"), 0u);
    EXPECT_EQ(os::GetModuleHandleA("no-such-module.dll"), 0u);
}

}  // namespace
