#pragma once

// What the document needs of the edit modes: an empty document closes their description
// windows.
class IModeDescriptions {
public:
    virtual ~IModeDescriptions() = default;

    // Destroys both description windows that exist.
    virtual void CloseDescriptions() = 0;
};
