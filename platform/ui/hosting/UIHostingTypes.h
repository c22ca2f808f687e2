#pragma once
// Value types and constants of controllers, bars, tables, controls and text input.
// Numeric values follow the handheld platform's, since callers pass the numbers.

enum UITableViewStyle : int { UITableViewStylePlain = 0, UITableViewStyleGrouped = 1 };

enum UITableViewCellStyle : int {
    UITableViewCellStyleDefault = 0,
    UITableViewCellStyleValue1 = 1,
    UITableViewCellStyleValue2 = 2,
    UITableViewCellStyleSubtitle = 3,
};

enum UITableViewCellAccessoryType : int {
    UITableViewCellAccessoryNone = 0,
    UITableViewCellAccessoryDisclosureIndicator = 1,
    UITableViewCellAccessoryDetailDisclosureButton = 2,
    UITableViewCellAccessoryCheckmark = 3,
};

enum UITableViewCellSelectionStyle : int {
    UITableViewCellSelectionStyleNone = 0,
    UITableViewCellSelectionStyleBlue = 1,
    UITableViewCellSelectionStyleGray = 2,
};

enum UITableViewCellEditingStyle : int {
    UITableViewCellEditingStyleNone = 0,
    UITableViewCellEditingStyleDelete = 1,
    UITableViewCellEditingStyleInsert = 2,
};

enum UITableViewCellSeparatorStyle : int {
    UITableViewCellSeparatorStyleNone = 0,
    UITableViewCellSeparatorStyleSingleLine = 1,
    UITableViewCellSeparatorStyleSingleLineEtched = 2,
};

enum UITableViewScrollPosition : int {
    UITableViewScrollPositionNone = 0,
    UITableViewScrollPositionTop = 1,
    UITableViewScrollPositionMiddle = 2,
    UITableViewScrollPositionBottom = 3,
};

enum UITableViewRowAnimation : int {
    UITableViewRowAnimationFade = 0,
    UITableViewRowAnimationRight = 1,
    UITableViewRowAnimationLeft = 2,
    UITableViewRowAnimationTop = 3,
    UITableViewRowAnimationBottom = 4,
    UITableViewRowAnimationNone = 5,
    UITableViewRowAnimationMiddle = 6,
};

enum UIBarStyle : int {
    UIBarStyleDefault = 0,
    UIBarStyleBlack = 1,
    UIBarStyleBlackOpaque = 1,
    UIBarStyleBlackTranslucent = 2,
};

enum UIBarButtonItemStyle : int {
    UIBarButtonItemStylePlain = 0,
    UIBarButtonItemStyleBordered = 1,
    UIBarButtonItemStyleDone = 2,
};

enum UIBarButtonSystemItem : int {
    UIBarButtonSystemItemDone = 0,
    UIBarButtonSystemItemCancel = 1,
    UIBarButtonSystemItemEdit = 2,
    UIBarButtonSystemItemSave = 3,
    UIBarButtonSystemItemAdd = 4,
    UIBarButtonSystemItemFlexibleSpace = 5,
    UIBarButtonSystemItemFixedSpace = 6,
    UIBarButtonSystemItemCompose = 7,
    UIBarButtonSystemItemReply = 8,
    UIBarButtonSystemItemAction = 9,
    UIBarButtonSystemItemOrganize = 10,
    UIBarButtonSystemItemBookmarks = 11,
    UIBarButtonSystemItemSearch = 12,
    UIBarButtonSystemItemRefresh = 13,
    UIBarButtonSystemItemStop = 14,
    UIBarButtonSystemItemCamera = 15,
    UIBarButtonSystemItemTrash = 16,
    UIBarButtonSystemItemPlay = 17,
    UIBarButtonSystemItemPause = 18,
    UIBarButtonSystemItemRewind = 19,
    UIBarButtonSystemItemFastForward = 20,
};

enum UIActionSheetStyle : int {
    UIActionSheetStyleAutomatic = -1,
    UIActionSheetStyleDefault = 0,
    UIActionSheetStyleBlackTranslucent = 2,
    UIActionSheetStyleBlackOpaque = 1,
};

// Bit mask of the sides a popover's arrow may take.
enum UIPopoverArrowDirection : unsigned {
    UIPopoverArrowDirectionUp = 1u << 0,
    UIPopoverArrowDirectionDown = 1u << 1,
    UIPopoverArrowDirectionLeft = 1u << 2,
    UIPopoverArrowDirectionRight = 1u << 3,
    UIPopoverArrowDirectionAny = 0xFu,
    UIPopoverArrowDirectionUnknown = 0xFFFFFFFFu,
};

enum UIModalTransitionStyle : int {
    UIModalTransitionStyleCoverVertical = 0,
    UIModalTransitionStyleFlipHorizontal = 1,
    UIModalTransitionStyleCrossDissolve = 2,
    UIModalTransitionStylePartialCurl = 3,
};

enum UIScrollViewIndicatorStyle : int {
    UIScrollViewIndicatorStyleDefault = 0,
    UIScrollViewIndicatorStyleBlack = 1,
    UIScrollViewIndicatorStyleWhite = 2,
};

enum UIKeyboardType : int {
    UIKeyboardTypeDefault = 0,
    UIKeyboardTypeASCIICapable = 1,
    UIKeyboardTypeNumbersAndPunctuation = 2,
    UIKeyboardTypeURL = 3,
    UIKeyboardTypeNumberPad = 4,
    UIKeyboardTypePhonePad = 5,
    UIKeyboardTypeNamePhonePad = 6,
    UIKeyboardTypeEmailAddress = 7,
};

enum UIKeyboardAppearance : int { UIKeyboardAppearanceDefault = 0, UIKeyboardAppearanceAlert = 1 };

enum UIReturnKeyType : int {
    UIReturnKeyDefault = 0,
    UIReturnKeyGo = 1,
    UIReturnKeyGoogle = 2,
    UIReturnKeyJoin = 3,
    UIReturnKeyNext = 4,
    UIReturnKeyRoute = 5,
    UIReturnKeySearch = 6,
    UIReturnKeySend = 7,
    UIReturnKeyYahoo = 8,
    UIReturnKeyDone = 9,
    UIReturnKeyEmergencyCall = 10,
};

enum UITextAutocapitalizationType : int {
    UITextAutocapitalizationTypeNone = 0,
    UITextAutocapitalizationTypeWords = 1,
    UITextAutocapitalizationTypeSentences = 2,
    UITextAutocapitalizationTypeAllCharacters = 3,
};

enum UITextAutocorrectionType : int {
    UITextAutocorrectionTypeDefault = 0,
    UITextAutocorrectionTypeNo = 1,
    UITextAutocorrectionTypeYes = 2,
};

enum UITextFieldViewMode : int {
    UITextFieldViewModeNever = 0,
    UITextFieldViewModeWhileEditing = 1,
    UITextFieldViewModeUnlessEditing = 2,
    UITextFieldViewModeAlways = 3,
};

enum UITextBorderStyle : int {
    UITextBorderStyleNone = 0,
    UITextBorderStyleLine = 1,
    UITextBorderStyleBezel = 2,
    UITextBorderStyleRoundedRect = 3,
};

enum UISegmentedControlStyle : int {
    UISegmentedControlStylePlain = 0,
    UISegmentedControlStyleBordered = 1,
    UISegmentedControlStyleBar = 2,
};

// A range of UTF-16 code units, as text input delegates receive it.
struct NSRange {
    int location = 0;
    int length = 0;
    friend bool operator==(const NSRange&, const NSRange&) = default;
};
