#pragma once
// The text of the download progress displays: "Downloading <chapter> (<size>)".

#include <string>

// "-- kB" for 0, whole kB below 1024 kB, else whole MB.
std::string downloadSizeText(int bytes);
std::string downloadProgressText(int surah, int bytes);
