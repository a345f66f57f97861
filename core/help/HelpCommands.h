#pragma once

// Requests to the help engine. The numbers are those help engines have always used, so a
// request reads the same here as in any help system's documentation.
enum HelpCommand : int {
    HH_DISPLAY_TOPIC = 0, // data: none; the file text carries the page ("FILE ::/PAGE")
    HH_DISPLAY_TOC = 1,   // data: none
    HH_DISPLAY_INDEX = 2, // data: the keyword text
    HH_HELP_CONTEXT = 15, // data: the context number
    HH_CLOSE_ALL = 18,    // no file, no data
};
