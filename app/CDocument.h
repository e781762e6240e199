#pragma once

#include "app/CCmdTarget.h"

#include <string>

class CAviVideoStream;

// The document as the main window and the command rules see it: the path of the open file
// and its video stream, both empty when nothing is open.
class CDocument : public CCmdTarget {
public:
    virtual const std::string& GetPathName() const = 0;
    virtual CAviVideoStream* GetStream() const = 0;

    bool IsOpen() const { return !GetPathName().empty(); }
    // Open, fixed areas or tracks, deinterlacing; a derived document adds what else it knows.
    void FillCommandState(CCommandState& state) const override;
};
