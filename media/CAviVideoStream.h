#pragma once

#include "media/CDrawnFrame.h"
#include "media/CProgressFiles.h"
#include "media/CWorkFiles.h"
#include "media/CXrgbImage.h"
#include "media/RX40sCFFmpeg.h"
#include "mosaic/CMosaicPainter.h"
#include "mosaic/CMosaicParam.h"
#include "platform/CFrameBuffer.h"

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

// The opened picture source of a document: the decoder of the working video, or one still
// picture loaded from a bitmap file; it carries the document's mosaic and owns the working files
// the open made for it, which go with it.
class CAviVideoStream : public RX40sCFFmpeg {
public:
    // sizeIdSetting is the live mosaic type setting: painting reads it at paint time. workFiles
    // are deleted after the decoder has let go of them; nothing else is ever deleted.
    CAviVideoStream(std::string workPath, const std::int32_t& sizeIdSetting,
                    CWorkFiles workFiles = {});
    ~CAviVideoStream() override;

    // Opens the working video, or reads the source in place when the open gave a reader for it,
    // and reads the saved progress.
    int OpenVideo();
    // The open read the movie in place: no working video was made, and none is.
    void ReadInPlace(std::unique_ptr<CSourceReader> reader);
    // Loads a 24-bit bitmap as the single picture of an image document, then the progress.
    int LoadBitmapFile(std::istream& file);
    int LoadBitmapFile(const std::string& path);
    // Reads the progress files named after the working file into m_mosaic. Files saved for
    // another movie of the same stem are loaded only when the user says so.
    void LoadProgress();
    // The other movie whose progress the files beside this one hold and that this movie has not
    // taken over; empty when saving the progress replaces nobody else's.
    std::string ProgressOfOtherSource() const;
    // Writes m_mosaic to the progress files named after the working file, both whole or
    // neither; false (the old files kept) when they could not be written.
    bool SaveProgress() const;
    // Removes the progress files (unless they hold another movie's) and then every fixed area
    // and track; false, with the files and the regions as they were, when the files could not
    // be deleted.
    bool RemoveProgress();
    // Writes the current frame, with its mosaic, as an uncompressed bitmap file.
    int SaveFrameBitmap(const std::string& path);
    // Play time of the current frame in milliseconds; -1 when no video is open.
    std::int32_t GetPlayTimeMs() const;
    // Makes the frame picture hold frame index with the mosaic painted on a fresh copy.
    int GetFrame(std::int64_t index, bool lineDouble);
    // Paints the mosaic of frame index into picture as GetFrame does into the frame picture.
    void PaintMosaic(CFrameBuffer& picture, std::int64_t index, bool lineDouble);
    // Where painting the mosaic of frame index (without line doubling) reads or writes, one
    // rectangle for each area in paint order; nothing outside them matters to the result.
    std::vector<T_RECT> MosaicReaches(std::int64_t index) const;
    // Draws the current frame letterboxed into rect of target, inside a one-pixel border that
    // stays as it was: black bars, the picture stretched without smoothing. Returns the picture
    // rectangle. The same frame with the same mosaic is not fetched again. A frame that can't
    // be fetched leaves rect black and gives the empty rectangle.
    T_RECT DrawFrame(CXrgbImage& target, const T_RECT& rect);

    bool IsStillImage() const { return !m_pImageInfo.empty(); }
    bool TopDown() const { return m_bmpFrame.TopDown(); }
    const CFrameBuffer& Frame() const { return m_bmpFrame; }
    std::int32_t SizeId() const { return m_sizeId; }
    const CWorkFiles& WorkFiles() const { return m_workFiles; }

    const std::string m_strWorkPath;
    // The file name of the movie the user opened; set before OpenVideo. Empty: not known.
    std::string m_strSourceName;
    bool m_bLineDouble = false;
    CMosaicParam m_mosaic;

private:
    CProgressFiles ProgressFiles() const;

    const std::int32_t& m_sizeId;
    // The user chose to load another movie's progress as this one's.
    bool m_otherProgressTaken = false;
    CWorkFiles m_workFiles;
    std::unique_ptr<CSourceReader> m_inPlace;
    // The bitmap header block of a loaded image and its untouched pixels.
    std::vector<std::uint8_t> m_pImageInfo;
    CFrameBuffer m_imageBits;
    CMosaicPainter m_painter;
    CDrawnFrame m_drawn;
};
