// Add operations of the pages, one per page file.
#ifndef ZORVPROP_PAGES_H
#define ZORVPROP_PAGES_H

// The pages of each sheet, in their order.
void AddNfsClientPages();
void AddFileSharingPages();

// The pages of the file-sharing sheet.
void AddNfsServerPage();
void AddLoggingPage();
void LoggingEnableControls();

#endif
