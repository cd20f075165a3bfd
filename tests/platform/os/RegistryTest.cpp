#include <gtest/gtest.h>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/os/Registry.h"
#include "platform/os/RegistryStore.h"

namespace os {
namespace {

constexpr const char* kKey = "HKEY_LOCAL_MACHINE\\Software\\Test";

class RegistryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath("registry.ini").toStdString();
        previous_ = qgetenv("COMTEST_REGISTRY");
        hadPrevious_ = qEnvironmentVariableIsSet("COMTEST_REGISTRY");
        qputenv("COMTEST_REGISTRY", QByteArray::fromStdString(path_));
    }
    void TearDown() override {
        if (hadPrevious_)
            qputenv("COMTEST_REGISTRY", previous_);
        else
            qunsetenv("COMTEST_REGISTRY");
    }
    void Write(const std::string& bytes) {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::string Read() const {
        std::ifstream in(path_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    QTemporaryDir dir_;
    std::string path_;
    QByteArray previous_;
    bool hadPrevious_ = false;
};

TEST_F(RegistryTest, StoreReadsEntriesOfItsSectionsOnly) {
    Write(
        "; comment\r\n"
        "Orphan=before any section\r\n"
        "[hkey_local_machine\\SOFTWARE\\test]\r\n"
        "  Path = /var/log/www  \r\n"
        "Quoted=\"  spaced  \"\r\n"
        "# another comment\r\n"
        "Path=second one loses\r\n"
        "[Broken section\r\n"
        "Empty=\r\n"
        "NoEquals\r\n"
        "[Other]\r\n"
        "Only=here\r\n");
    const RegistryStore store(path_);
    struct Case {
        const char* key;
        const char* name;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {kKey, "path", "/var/log/www"},
        {kKey, "Quoted", "  spaced  "},
        {kKey, "Empty", ""},
        {kKey, "NoEquals", std::nullopt},
        {kKey, "Only", std::nullopt},
        {kKey, "Orphan", std::nullopt},
        {"Other", "Only", "here"},
        {"Broken section", "Empty", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(store.ReadValue(c.key, c.name), c.expected) << c.name;
    EXPECT_TRUE(store.HasKey("OTHER"));
    EXPECT_FALSE(store.HasKey("Broken section"));
}

TEST_F(RegistryTest, StoreSurvivesArbitraryBytes) {
    std::mt19937 gen(1234);
    std::uniform_int_distribution<int> byte(0, 255);
    const char specials[] = {'[', ']', '=', '\n', '\r', '\0', ';'};
    std::string noise;
    for (int i = 0; i < 200000; ++i)
        noise +=
            (i % 7 == 0) ? specials[byte(gen) % sizeof specials] : static_cast<char>(byte(gen));
    Write(noise + std::string("\n[Known]\nName=val\0ue\xff\n", 22));
    const RegistryStore store(path_);
    EXPECT_EQ(store.ReadValue("Known", "Name"), std::string("val\0ue\xff", 7));
    EXPECT_FALSE(store.ReadValue("Known", "Missing").has_value());
}

TEST_F(RegistryTest, ADeviceNamedAsTheStoreHoldsAndTakesNothing) {
    // /dev/zero never ends: reading it as a file would never return.
    const RegistryStore store("/dev/zero");
    EXPECT_FALSE(store.HasKey("Known"));
    EXPECT_FALSE(store.ReadValue("Known", "Name").has_value());
    EXPECT_TRUE(store.ReadValues("Known").empty());
    EXPECT_FALSE(store.AddKey("Known"));
    EXPECT_FALSE(store.WriteValue("Known", "Name", "1"));
}

TEST_F(RegistryTest, StoreFindsKeysPastLongContentAndSkipsOverlongLines) {
    const std::string lines(2 << 20, '\n');  // two mebibytes of short lines
    const std::string overlong(RegistryStore::kMaxLineBytes + 1, 'x');
    Write("[Early]\nA=1\n" + lines + "[Late]\nB=2\nC=" + overlong + "\n" + overlong + "\nD=4\n" +
          overlong);
    const RegistryStore store(path_);
    EXPECT_EQ(store.ReadValue("Early", "A"), "1");
    EXPECT_TRUE(store.HasKey("Late"));
    EXPECT_EQ(store.ReadValue("Late", "B"), "2");
    EXPECT_FALSE(store.ReadValue("Late", "C").has_value());
    EXPECT_EQ(store.ReadValue("Late", "D"), "4");
}

TEST_F(RegistryTest, CreateKeyAddsAMissingKeyOnALineOfItsOwn) {
    Write("[Other]\nA=1");  // last line without its line end
    HKEY key = nullptr;
    std::uint32_t disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "\\Software\\Test\\", 0, nullptr, 0,
                              KEY_QUERY_VALUE, nullptr, &key, &disposition),
              kRegOk);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    EXPECT_EQ(RegCloseKey(key), kRegOk);
    EXPECT_EQ(Read(), "[Other]\nA=1\n[HKEY_LOCAL_MACHINE\\Software\\Test]\n");

    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Test", 0, nullptr, 0, KEY_QUERY_VALUE,
                              nullptr, &key, &disposition),
              kRegOk);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(key);
    EXPECT_EQ(Read(), "[Other]\nA=1\n[HKEY_LOCAL_MACHINE\\Software\\Test]\n");
}

TEST_F(RegistryTest, CreateKeyMakesTheStoreAndItsFolder) {
    const std::string nested = dir_.filePath("a/b/registry.ini").toStdString();
    qputenv("COMTEST_REGISTRY", QByteArray::fromStdString(nested));
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "X", 0, nullptr, 0, KEY_QUERY_VALUE, nullptr, &key,
                              nullptr),
              kRegOk);
    RegCloseKey(key);
    EXPECT_TRUE(RegistryStore(nested).HasKey("HKEY_CURRENT_USER\\X"));
}

TEST_F(RegistryTest, CreateKeyFailsWhenTheStoreCannotBeWritten) {
    Write("not a folder");
    qputenv("COMTEST_REGISTRY", QByteArray::fromStdString(path_ + "/registry.ini"));
    HKEY key = reinterpret_cast<HKEY>(&key);
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Test", 0, nullptr, 0, KEY_QUERY_VALUE,
                              nullptr, &key, nullptr),
              kRegAccessDenied);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegCreateKeyExA(nullptr, "x", 0, nullptr, 0, 0, nullptr, &key, nullptr),
              kRegInvalidHandle);
    EXPECT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "x", 0, nullptr, 0, 0, nullptr, nullptr, nullptr),
              kRegInvalidParameter);
}

TEST_F(RegistryTest, QueryCopiesOnlyWhenTheBufferHoldsTextAndZero) {
    Write("[HKEY_LOCAL_MACHINE\\Software\\Test]\nDir=abcd\n");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Test", 0, nullptr, 0, KEY_QUERY_VALUE,
                              nullptr, &key, nullptr),
              kRegOk);
    struct Case {
        std::uint32_t room;
        std::int32_t status;
        const char* buffer;
    };
    const Case cases[] = {
        {5, kRegOk, "abcd"}, {4, kRegMoreData, "####"}, {0, kRegMoreData, "####"}};
    for (const auto& c : cases) {
        std::uint8_t buffer[8] = {'#', '#', '#', '#', 0, 0, 0, 0};
        std::uint32_t size = c.room;
        std::uint32_t type = 0;
        EXPECT_EQ(RegQueryValueExA(key, "DIR", nullptr, &type, buffer, &size), c.status);
        EXPECT_EQ(size, 5u);
        EXPECT_EQ(type, REG_SZ);
        EXPECT_STREQ(reinterpret_cast<char*>(buffer), c.buffer);
    }
    std::uint32_t size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Dir", nullptr, nullptr, nullptr, &size), kRegOk);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, nullptr, nullptr, &size), kRegNotFound);
    EXPECT_EQ(RegQueryValueExA(HKEY_LOCAL_MACHINE, "Dir", nullptr, nullptr, nullptr, &size),
              kRegInvalidHandle);
    RegCloseKey(key);
}

}  // namespace
}  // namespace os

namespace os {
namespace {

TEST_F(RegistryTest, WriteValueEditsOneEntryAndKeepsTheRest) {
    struct Case {
        const char* what;
        std::string before;
        std::string name;
        std::string after;
    };
    const Case cases[] = {
        {"no file yet", "", "Com1", "[Ports]\nCom1=x\n"},
        {"key added after other keys", "[Other]\nA=1", "Com1", "[Other]\nA=1\n[Ports]\nCom1=x\n"},
        {"entry replaced in place, any case", "; note\n[ports]\ncom1 = old\nCom2=b\n[Other]\nA=1\n",
         "Com1", "; note\n[ports]\nCom1=x\nCom2=b\n[Other]\nA=1\n"},
        {"entry added after the key's last entry, not in the next key",
         "[Ports]\nCom1=a\n\n[Other]\nCom3=z\n", "Com3",
         "[Ports]\nCom1=a\nCom3=x\n\n[Other]\nCom3=z\n"},
        {"only the first section of a key is edited", "[Ports]\nCom1=a\n[Ports]\nCom1=b\n", "Com1",
         "[Ports]\nCom1=x\n[Ports]\nCom1=b\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(path_);
        if (!c.before.empty()) Write(c.before);
        const RegistryStore store(path_);
        ASSERT_TRUE(store.WriteValue("Ports", c.name, "x"));
        EXPECT_EQ(Read(), c.after);
        const auto values = store.ReadValues("Ports");
        ASSERT_FALSE(values.empty());
        EXPECT_EQ(store.ReadValue("Ports", c.name), "x");
    }
}

TEST_F(RegistryTest, WriteValueRefusesWhatWouldLoseContent) {
    const RegistryStore store(path_);
    EXPECT_FALSE(store.WriteValue("Ports", "Com1", "a\nb"));
    EXPECT_FALSE(store.WriteValue("Ports", "", "a"));
    // Past the part that is read, writing back would drop the rest.
    const std::string big = "[Ports]\nCom1=a\n" + std::string(RegistryStore::kMaxStoreBytes, ';');
    Write(big);
    EXPECT_FALSE(store.WriteValue("Ports", "Com2", "b"));
    EXPECT_EQ(Read(), big);
}

TEST_F(RegistryTest, ReadValuesGivesEachNameOnceInFileOrder) {
    Write("[Ports]\nCom3=c\nCom1=a\nCOM3=again\n[Other]\nCom2=b\n");
    const std::vector<std::pair<std::string, std::string>> expected{{"Com3", "c"}, {"Com1", "a"}};
    EXPECT_EQ(RegistryStore(path_).ReadValues("ports"), expected);
    EXPECT_TRUE(RegistryStore(path_).ReadValues("Missing").empty());
}

}  // namespace
}  // namespace os
