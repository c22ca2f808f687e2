#pragma once
// Resigning whichever view of a tree is first responder.

class UIView;

// True when the view or one below it (depth first, in order) was first responder and resigned.
bool findAndResignFirstResponder(UIView& view);
