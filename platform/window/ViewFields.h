#pragma once

#include "platform/definition/WindowDescription.h"
#include "platform/window/PresenterModule.h"

// The fields a window view has on both sides of the module boundary, in
// pairs: the program flattens its description into the plain structs, a
// module copies them back into its own, and both walk these same pairs, each
// with a visitor that converts one way. A field that crosses is named here
// once. Lists (zones, controls, menus, texts) are walked by each side, which
// owns their storage in its own way.
namespace rt::definition {

template <typename FontType, typename PlainFont, typename Visit>
void pairFontFields(FontType& font, PlainFont& plain, Visit&& visit) {
    visit(font.face, plain.face);
    visit(font.size, plain.size);
    visit(font.textColour, plain.textColour);
}

template <typename ControlType, typename PlainControl, typename Visit>
void pairControlFields(ControlType& control, PlainControl& plain, Visit&& visit) {
    visit(control.kind, plain.kind);
    visit(control.id, plain.id);
    visit(control.flags, plain.flags);
    visit(control.x, plain.x);
    visit(control.y, plain.y);
    visit(control.width, plain.width);
    visit(control.height, plain.height);
    visit(control.text, plain.text);
    visit(control.hasOwnFont, plain.hasOwnFont);
    visit(control.ownFont, plain.ownFont);
    visit(control.font, plain.font);
    visit(control.picture, plain.picture);
    visit(control.background, plain.background);
    visit(control.variable.typeCode, plain.variableType);
    visit(control.variable.length, plain.variableLength);
}

// The description's own fields; its zones, controls and menus are lists.
template <typename DescriptionType, typename PlainDescription, typename Visit>
void pairDescriptionFields(DescriptionType& description, PlainDescription& plain, Visit&& visit) {
    visit(description.moduleKey, plain.moduleKey);
    visit(description.windowKey, plain.windowKey);
    visit(description.title, plain.title);
    visit(description.flags, plain.flags);
    visit(description.windowFlags, plain.windowFlags);
    visit(description.x, plain.x);
    visit(description.y, plain.y);
    visit(description.width, plain.width);
    visit(description.height, plain.height);
    visit(description.hasFont, plain.hasFont);
    visit(description.font, plain.font);
    visit(description.hasMenuBar, plain.hasMenuBar);
}

// A menu entry's own fields; its items are a list.
template <typename EntryType, typename PlainEntry, typename Visit>
void pairMenuEntryFields(EntryType& entry, PlainEntry& plain, Visit&& visit) {
    visit(entry.id, plain.id);
    visit(entry.flags, plain.flags);
    visit(entry.text, plain.text);
    visit(entry.message, plain.message);
    visit(entry.actionCode, plain.actionCode);
}

}  // namespace rt::definition
