#pragma once

// How long a call may take. Ordinary calls answer at once and get a time
// limit, so that a hung drawing program becomes an error instead of a frozen
// workbench. Interactive calls wait for the person (a pick) and have no time
// limit; they end when the person answers or the drawing program goes away.
enum class AcadWait
{
    Ordinary,
    Interactive
};
