#pragma once

#include <array>
#include <cstddef>

// What the enable and check rules of the commands look at, gathered from the view, the
// document, the main window and the application just before the rules run.
struct CCommandState {
    enum Bar { StandardBar, MovieBar, OptionBar, SliderBar, MosaicTypeBar, StatusBar, BarCount };

    bool open = false;             // the document has a path
    bool image = false;            // the open document is a still image
    bool playing = false;          // forward play runs
    bool audioPlaying = false;     // play with sound runs
    bool progressOnly = false;     // started with "/O" and an existing file
    bool progressModified = false; // edits not yet written to the progress files
    bool areasExist = false;       // fixed areas or tracks exist
    bool trackOnFrame = false;     // a track has a rectangle on the shown frame
    bool gapsExist = false;        // a track has a frame without a rectangle inside its span
    bool canUndo = false;          // the mosaic has a change to undo
    bool canRedo = false;          // the mosaic has an undone change to redo
    bool savedOutput = false;      // the document knows the file it last saved
    bool soundFile = false;        // the movie's sound file exists and is not empty
    bool lineDouble = false;       // the stream deinterlaces
    bool loopPlay = false;         // setting "LoopPlay" is 1
    bool busy = false;             // a long operation runs: no command may start
    int editMode = -1;             // -1 none, 0 fixed, 1 moving, 2 preview
    std::size_t recentFiles = 0;   // entries of the recent-file list
    std::array<bool, BarCount> barVisible{};

    bool Plays() const { return playing || audioPlaying; }
};
