#pragma once

#include "tests/support/CRecordingMessageBox.h"

#include "platform/CTextFile.h"
#include "platform/IProgress.h"
#include "resources/CStringTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// A fresh temporary folder per test, removed afterwards, and helpers to make media in it.
class ConverterFixture : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/qv-converter-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    // Makes a file with the system's tool; the arguments come before the output name.
    static void Generate(const std::string& arguments, const std::string& output) {
        const std::string command =
            "/usr/bin/ffmpeg -nostdin -v error -y " + arguments + " '" + output + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    static std::string ReadAll(const std::string& path) {
        return CTextFile::Read(path).value_or("");
    }

    // The names of the files in folder (relative to the test's folder), sorted.
    std::vector<std::string> FileNames(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_dir / folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    static std::string EnglishText(int id) { return CStringTable::Load(id, CStringTable::English); }

    std::filesystem::path m_dir;
};

// Remembers what the runner showed.
class RecordingProgress : public IProgress {
public:
    bool Create() override {
        ++created;
        return true;
    }
    void SetMarquee() override { marquee = true; }
    void SetRange(int lower, int upper) override {
        this->lower = lower;
        this->upper = upper;
    }
    void SetCaption(const std::string& caption) override { captions.push_back(caption); }
    void UpdatePercent(int position) override { positions.push_back(position); }
    void Pump() override { ++pumps; }
    void Destroy() override { ++destroyed; }

    int created = 0;
    int destroyed = 0;
    int pumps = 0;
    bool marquee = false;
    int lower = 0;
    int upper = 0;
    std::vector<std::string> captions;
    std::vector<int> positions;
};
