#pragma once

#include "app/CCommandTable.h"
#include "app/CDocument.h"
#include "media/CAviVideoStream.h"

#include <memory>
#include <string>
#include <vector>

// A document for the main window's tests: a path, a stream that opens nothing, and the two
// facts only a real document knows (a saved output, a working sound file).
class CFakeDocument : public CDocument {
public:
    const std::string& GetPathName() const override { return m_path; }
    CAviVideoStream* GetStream() const override { return m_stream.get(); }
    void FillCommandState(CCommandState& state) const override {
        CDocument::FillCommandState(state);
        state.savedOutput = savedOutput;
        state.soundFile = soundFile;
    }

    // An open document (a stream and a path) or an empty one.
    void Open(const std::string& path, const std::int32_t& sizeId) {
        m_path = path;
        m_stream = std::make_unique<CAviVideoStream>(path, sizeId);
    }
    void Close() {
        m_path.clear();
        m_stream.reset();
    }

    bool savedOutput = false;
    bool soundFile = false;

private:
    std::string m_path;
    std::unique_ptr<CAviVideoStream> m_stream;
};

// Carries out every command of the table that nobody else has, and logs the ids it ran.
class CCommandRecorder : public CCmdTarget {
public:
    CCommandRecorder() {
        for (const auto& row : CCommandTable::Rows()) {
            OnCommand(row.id, [this, id = row.id] { ran.push_back(id); });
        }
    }
    std::vector<int> ran;
};
