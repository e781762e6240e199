#pragma once

// Numbers of the program's texts that are not command ids. Command prompts and menu item
// captions are found under the command's own id.
struct CResourceId {
    // Menu popups (menu captions).
    static constexpr int MenuFile = 1;
    static constexpr int MenuView = 2;
    static constexpr int MenuToolbar = 3;
    static constexpr int MenuMode = 4;
    static constexpr int MenuMovie = 5;
    static constexpr int MenuHelp = 6;
    static constexpr int MenuContextMosaic = 7;
    static constexpr int MenuContextMosaicEx = 8;
    static constexpr int MenuEdit = 9;

    // Strings.
    static constexpr int DocumentTemplate = 128;      // "title\n..." of the one document type
    static constexpr int FixedModeDescription = 134;  // caption of the description window
    static constexpr int MovingModeDescription = 136; // caption of the description window
    static constexpr int RatePaneWidth = 2000;
    static constexpr int SliderBarCaption = 2006;
    static constexpr int StandardBarCaption = 2007;
    static constexpr int MovieBarCaption = 2008;
    static constexpr int OptionBarCaption = 2009;
    static constexpr int MosaicTypeBarCaption = 2010;
    static constexpr int ThirdPaneWidth = 2011;
    static constexpr int FixedModeLabel = 2012;
    static constexpr int MovingModeLabel = 2013;
    static constexpr int PreviewModeLabel = 2014;
    static constexpr int SaveChangesQuestion = 2017;
    static constexpr int OpenFilter = 2019;
    static constexpr int FileNotRecognized = 2020;
    static constexpr int SaveOntoSource = 2021;
    static constexpr int FormatConverting = 2022;
    static constexpr int JoiningAudio = 2024;
    static constexpr int MosaicInProcess = 2025;
    static constexpr int ReadOnlySourceFolder = 2030;
    static constexpr int ExportError = 2076;
    static constexpr int BitmapFilter = 2078;
    static constexpr int QuitWhileBusyQuestion = 2083;
    static constexpr int LoadOtherProgressQuestion = 2084;
    static constexpr int ReplaceOtherProgressQuestion = 2085;
    static constexpr int ManualNotOpened = 2086;
    static constexpr int SavedMovieNotPlayed = 2087;
    static constexpr int ReplaceQuestion = 2088;
    static constexpr int ProgressSavedMessage = 2089;
    static constexpr int MovieSavedMessage = 2090;
    static constexpr int StartHint = 2091;
    static constexpr int GapsBeforeSaveQuestion = 2130; // %1: the frames
    static constexpr int GapsFilledMessage = 2131;      // %1: the frames
    static constexpr int TrackingCaption = 2132;        // %1: the frame
    static constexpr int TrackEndMessage = 2133;        // %1, %2: first and last, %3: unsure
    static constexpr int TrackCancelledMessage = 2134;  // as TrackEndMessage
    static constexpr int TrackLostMessage = 2135;       // %1: last followed, %2: unsure
    static constexpr int TrackUnreadableMessage = 2136; // %1: the frame, %2: unsure
    static constexpr int TrackNotStartedMessage = 2137;
    static constexpr int MakerAddress = 2033;
    static constexpr int SizePaneWidth = 2034;
    // Texts of the dialog bars' controls.
    static constexpr int PlaySpeedLabel = 2101;
    static constexpr int MosaicTypeLabel = 2102;
    static constexpr int MosaicType0 = 2110; // to 2119, the type list's entries in id order
    static constexpr int ProductAddress = 2035;
    // Texts of the About box.
    static constexpr int AboutTitle = 2201;
    static constexpr int AboutVersion = 2202; // "Version: %s"
    static constexpr int AboutMakerLine = 2203;
    static constexpr int AboutUpdateLabel = 2204;
    static constexpr int AboutOk = 2205;
    static constexpr int IdleMessage = 57345;
};
