#pragma once

// Runs the gig book once the application object exists: sets the title, creates the main
// window (opening the tables) and the hidden calendar window, and runs the message loop
// until the main window closes. Whatever fails on the way is shown with the standard
// exception display; the result is always 0, the process's exit code.
int RunGigBook();
