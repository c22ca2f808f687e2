#pragma once
// Drawing a label's text from its top or bottom by padding it with line breaks.

class UILabel;

void alignTop(UILabel& label);
void alignBottom(UILabel& label);
