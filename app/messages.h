// Everything the program says to the user: the caption of its message boxes and their three texts.
#pragma once

extern const char boxCaption[];
extern const char noTextMessage[];
extern const char mostlyLowercaseQuestion[];
extern const char cannotWriteMessage[];
