// A plug-ins folder and an INI folder of the test's own, filled with copies of the test
// plug-ins, and the log the plug-ins write their calls to.
#pragma once

#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class PluginFolder : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        root = std::filesystem::current_path() /
               (std::string(info->test_suite_name()) + "." + info->name());
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "Plugins");
        std::filesystem::create_directories(root / "INI");
        plugins = (root / "Plugins").string();
        ini = (root / "INI").string();
        log = (root / "plugin.log").string();
        setenv("ZEM_TEST_PLUGIN_LOG", log.c_str(), 1);
    }
    void TearDown() override { unsetenv("ZEM_TEST_PLUGIN_LOG"); }

    // Copies the built test plug-in name ("playlist", "bare", ...) into the plug-ins folder.
    std::string install(const std::string& name) {
        const std::string file = name + "_plugin.so";
        const std::string path = zem::JoinPath(plugins, file);
        EXPECT_TRUE(zem::CopyFileOverwrite(zem::JoinPath(ZEM_TEST_PLUGIN_DIR, file), path));
        return path;
    }

    std::vector<std::string> logLines() const {
        std::ifstream in(log);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    std::string readFile(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::filesystem::path root;
    std::string plugins;
    std::string ini;
    std::string log;
};
