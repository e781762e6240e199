#pragma once

// Command ids of the program: menu items, keys, toolbar buttons and posted commands.
struct CCommandId {
    // File
    static constexpr int Open = 57601;
    static constexpr int Close = 57600;
    static constexpr int Save = 32792;
    static constexpr int SaveProgress = 32802;
    static constexpr int SaveBitmap = 32780;
    static constexpr int PlaySavedMovie = 32800;
    static constexpr int RemoveAllMosaic = 32803;
    static constexpr int RecentFile1 = 57616;
    static constexpr int RecentFile4 = 57619;
    static constexpr int Exit = 57665;
    // Edit
    static constexpr int Undo = 57643;
    static constexpr int Redo = 57644;
    static constexpr int FillGaps = 32810;
    static constexpr int NextGap = 32811;
    static constexpr int Track = 32812;
    static constexpr int TrackBack = 32813;
    // View
    static constexpr int VideoSize = 32804;
    static constexpr int Deinterlace = 32782;
    static constexpr int StandardBar = 59392;
    static constexpr int MovieBar = 32793;
    static constexpr int OptionBar = 32794;
    static constexpr int SliderBar = 32784;
    static constexpr int MosaicTypeBar = 32795;
    static constexpr int StatusBar = 59393;
    // Mode
    static constexpr int FixedMode = 32789;
    static constexpr int MovingMode = 32790;
    static constexpr int PreviewMode = 32791;
    // Movie
    static constexpr int First = 32774;
    static constexpr int Back = 32775;
    static constexpr int PlayWithAudio = 32801;
    static constexpr int Stop = 32772;
    static constexpr int Play = 32773;
    static constexpr int Next = 32776;
    static constexpr int Last = 32777;
    static constexpr int ContinuousPlay = 32799;
    // Help
    static constexpr int Help = 32798;
    static constexpr int About = 57664;
    // Context menus of the view
    static constexpr int AreaDelete = 32786;
    static constexpr int ContextCancel = 32796;
    static constexpr int TrackRemoveAll = 32787;
    static constexpr int TrackRemoveAfter = 32788;
    static constexpr int TrackModify = 32797;
};
