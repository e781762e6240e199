#pragma once

#include "app/CCommandState.h"

#include <span>

// Every command of the program as one row: where it sits in the menus and toolbars, its key,
// who carries it out, and when it is enabled and checked. Menus, keys, toolbar buttons,
// prompts and tool tips are all made from these rows and the string table. Adding a command
// is adding a row here and registering its handler in its owner.
class CCommandTable {
public:
    using Rule = bool (*)(const CCommandState&);

    enum class Owner { Application, Document, MainFrame, View };
    enum class Toolbar { None, Standard, Movie, Option };
    enum class Mark { None, Check, Radio };

    struct Popup {
        int id;                // CResourceId::Menu*, its caption in the menu table
        int parent;            // 0 for the menu bar's own popups and the context menus
        bool separatorBefore;  // in the parent
        bool context;          // a context menu of the view, not in the menu bar
    };

    struct Row {
        int id;
        int stringId;          // prompt "\n" tool tip; the menu caption is found under id
        unsigned menus;        // bit (1 << popup id) for each popup that lists it
        bool separatorBefore;  // in its popups
        const char* key;       // portable key text ("F1", "Ctrl+W", "Left"), alternatives
                               // after ';'; nullptr for none
        Toolbar toolbar;
        int button;            // index in its toolbar, separators counted; -1 for none
        Owner owner;
        Rule enabled;
        Rule checked;          // nullptr: never checked
        Mark mark;             // how the menu item shows checked
        bool buttonChecked;    // the toolbar button shows the check as pressed too
    };

    static std::span<const Row> Rows();
    static std::span<const Popup> Popups();
    // nullptr when the table has no such command.
    static const Row* Find(int id);
    static constexpr unsigned In(int popup) { return 1u << popup; }
};
