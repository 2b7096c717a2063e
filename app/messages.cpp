// Everything the program says to the user, byte for byte. The caption ends in 0xDF, the sharp s of Windows-1252.
#include "app/messages.h"

const char boxCaption[] = "qUENTAro v0.93\xDF";
const char noTextMessage[] = "Error:  Clipboard is either empty or does not contain text.\n"
                             "Select text, hit Ctrl-C & re-run program.";
const char mostlyLowercaseQuestion[] = "Clipboard contains mostly lowercase text, invert anyway?";
const char cannotWriteMessage[] = "Error:  Could not set Clipboard.";
