#pragma once
// Registers the interfaces of the reference screens and their makers under the names the More
// menu and the reading screen open them by: "Tajweed", "StopSigns",
// "SupplicationDetailController" (the prostration verses), "SupplicationsViewController",
// "TipsViewController" and "UpdateViewController".
void registerReferenceScreens();
