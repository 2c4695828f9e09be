#include "engine/foundations/app_closing.h"
#include "engine/foundations/standard_dirs.h"
#include "engine/foundations/user_interface.h"
#include "engine/foundations/zem_exception.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <ctime>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string logPath() {
    return std::string(ZEM_GetZEMPath(0)) + "/Zemerr.log";
}

std::vector<std::string> logLines() {
    std::ifstream in(logPath());
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);)
        lines.push_back(l);
    return lines;
}

std::vector<std::string> shown;
bool quitHookCalled = false;

class ExceptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::remove(logPath().c_str());
        shown.clear();
        quitHookCalled = false;
        zem::UiHooks hooks;
        hooks.messageBox = [](const char* text) { shown.emplace_back(text); };
        hooks.requestQuit = [](int) { quitHookCalled = true; };
        ZEM_SetUserInterfaceHooks(hooks);
    }
    void TearDown() override { ZEM_SetUserInterfaceHooks(zem::UiHooks{}); }
};

} // namespace

TEST_F(ExceptionTest, EachExceptionAppendsAFourLineRecord) {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    ZEMException a("Unable to load file!", false, 0);
    ZEMException b("second\nline", true, 7);
    const std::vector<std::string> lines = logLines();
    ASSERT_EQ(lines.size(), 9u); // a message with a line break takes one more line
    std::ostringstream date;
    date << "Date: " << t.tm_mon + 1 << "/" << t.tm_mday << "/" << t.tm_year + 1900;
    EXPECT_EQ(lines[0], date.str());
    EXPECT_TRUE(std::regex_match(lines[1], std::regex("Time: ([1-9]?[0-9]):([1-5]?[0-9])")))
        << lines[1];
    EXPECT_EQ(lines[2], "Unable to load file!");
    EXPECT_EQ(lines[3], "-----");
    EXPECT_EQ(lines[4].rfind("Date: ", 0), 0u);
    EXPECT_EQ(lines[6], "second");
    EXPECT_EQ(lines[7], "line");
    EXPECT_EQ(lines[8], "-----");
}

TEST_F(ExceptionTest, LongMessagesAreCutTo1023Characters) {
    const std::string longText(3000, 'x');
    ZEMException e(longText.c_str(), false, 1);
    EXPECT_EQ(std::string(e.GetMessage()), std::string(1023, 'x'));
    ZEMException none(nullptr, false, 0);
    EXPECT_STREQ(none.GetMessage(), "");
}

TEST_F(ExceptionTest, CopiesCarryAllFields) {
    ZEMException e("Can't create timer!", true, 42);
    ZEMException copy(e);
    EXPECT_STREQ(copy.GetMessage(), "Can't create timer!");
    EXPECT_TRUE(copy.IsFatal());
    EXPECT_EQ(copy.GetCode(), 42);
    ZEMException other("x", false, 0);
    other = e;
    EXPECT_STREQ(other.GetMessage(), "Can't create timer!");
    EXPECT_TRUE(other.IsFatal());
    EXPECT_EQ(other.GetCode(), 42);
    try {
        throw ZEMException("thrown", false, 3);
    } catch (const ZEMException& caught) {
        EXPECT_STREQ(caught.GetMessage(), "thrown");
    }
}

TEST_F(ExceptionTest, DisplayShowsTheMessageAndOnlyAFatalOneQuits) {
    ZEMException soft("Unable to load file!", false, 0);
    soft.Display();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Unable to load file!");
    EXPECT_FALSE(quitHookCalled);
    EXPECT_FALSE(ZEM_QuitRequested());
    ZEMException fatal("Unable to shut down device thread!", true, 0);
    fatal.Display();
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_TRUE(quitHookCalled);
    EXPECT_TRUE(ZEM_QuitRequested());
}

TEST_F(ExceptionTest, AnUnwritableLogIsSkipped) {
    // A folder where the log file should be makes the open fail.
    ASSERT_EQ(::mkdir(logPath().c_str(), 0755), 0);
    ZEMException e("still built", false, 0);
    EXPECT_STREQ(e.GetMessage(), "still built");
    ::rmdir(logPath().c_str());
}

TEST(Debug, SetDebugStoresTheFlag) {
    EXPECT_FALSE(ZEMException::debugOn);
    ZEMException::SetDebug(true);
    EXPECT_TRUE(ZEMException::debugOn);
    ZEMException::SetDebug(false);
    EXPECT_FALSE(ZEMException::debugOn);
}

TEST(AppClosing, GoesFromFalseToTrue) {
    EXPECT_FALSE(GetAppClosing());
    SetAppClosing(true);
    EXPECT_TRUE(GetAppClosing());
}
