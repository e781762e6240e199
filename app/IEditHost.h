#pragma once

// What region editing needs from the view and the main window around it.
class IEditHost {
public:
    virtual ~IEditHost() = default;

    // A finished mosaic edit: both change flags of the main window, and one step of undo.
    virtual void SetModified() = 0;
    virtual void Redraw(bool erase) = 0;
    // Fixed mosaic drags capture the pointer (releases outside the view still arrive) and keep
    // it within the view; recordings only keep it within the view.
    virtual void CapturePointer() = 0;
    virtual void ConfinePointer() = 0;
    virtual void ReleasePointer() = 0;
    // The play commands: Stop ends any play, Play starts forward play from the current frame,
    // Back steps back one frame.
    virtual void StopPlay() = 0;
    virtual void Play() = 0;
    virtual void Back() = 0;
};
