// Every user-visible text of the program's shell kept in one table, by the
// resource id it has always had, so texts are changed in one place.
#pragma once

namespace torvio {

// Ids of the string table. Command ids keep the framework's numbering so the
// prompt ("status tip\ntooltip") of a command is found under its command id.
enum StringId : unsigned {
  IDS_OLE_INIT_FAILED = 100,
  IDS_UNKNOWN_FORMAT = 101,
  IDS_MIN_SPEED_DESCRIPTION = 102,
  IDS_PROPERTY_SHEET = 103,
  IDR_MAINFRAME = 128,
  IDS_APP_TITLE = 57344,
  IDS_IDLE_MESSAGE = 57345,
  IDS_OUTPUT_DIR_NOT_SPECIFIED = 59142,

  ID_FILE_NEW = 0xE100,
  ID_FILE_OPEN = 0xE101,
  ID_FILE_SAVE = 0xE103,
  ID_FILE_SAVE_AS = 0xE104,
  ID_APP_ABOUT = 0xE140,
  ID_APP_EXIT = 0xE141,
  ID_HELP_FINDER = 0xE143,
  ID_CONTEXT_HELP = 0xE145,
  ID_TOOLS_GENERATE = 32771,
  ID_TOOLS_OPTIONS = 32772,
  ID_HELP_SUPPORT = 32773,
  ID_EDIT_UNDO = 0xE12B,
  ID_EDIT_REDO = 0xE12C,
  ID_FILE_COMPARE = 32774,
  ID_TOOLS_MMI_CHART = 32775,

  // Texts of the shell that had no resource of their own.
  IDS_EXIT_CODE_9 = 61000,
  IDS_FOLDER_INVALID,
  IDS_FOLDER_CANNOT_CREATE,
  IDS_FOLDER_CREATE_QUESTION,
  IDS_SAVE_CHANGES,
  IDS_UNTITLED,
  IDS_OPEN_FAILED,
  IDS_SAVE_FAILED,
  IDS_STATUS_OUTPUT_DIR,
  IDS_HELP_TITLE,
  IDS_HELP_MISSING,
  IDS_OPTIONS_CAPTION,
  IDS_TEMPLATES_DIRECTORY,
  IDS_OUTPUT_DIRECTORY,
  IDS_BROWSE,
  IDS_SELECT_TEMPLATES_DIR,
  IDS_SELECT_OUTPUT_DIR,
  IDS_LOG_CAPTION,
  IDS_LOG_CLOSE,
  IDS_ABOUT_CAPTION,
  IDS_ABOUT_APPLICATION,
  IDS_ABOUT_VERSION,
  IDS_ABOUT_MODULES,
  IDS_NOT_AVAILABLE,
  IDS_MODULE_VERSION,
  IDS_MODULE_NOT_AVAILABLE,
  IDS_MENU_FILE,
  IDS_MENU_EDIT,
  IDS_MENU_TOOLS,
  IDS_MENU_HELP,
  IDS_TOOLBAR,
  IDS_MESSAGE_PANE,
  IDS_TEXT_NEW,
  IDS_TEXT_OPEN,
  IDS_TEXT_SAVE,
  IDS_TEXT_SAVE_AS,
  IDS_TEXT_COMPARE,
  IDS_TEXT_EXIT,
  IDS_TEXT_UNDO,
  IDS_TEXT_REDO,
  IDS_TEXT_GENERATE,
  IDS_TEXT_OPTIONS,
  IDS_TEXT_MMI_CHART,
  IDS_TEXT_HELP_TOPICS,
  IDS_TEXT_SUPPORT,
  IDS_TEXT_ABOUT,
  IDS_TEXT_CONTEXT_HELP,
  IDS_OK,
  IDS_CANCEL,
  IDS_FOLDERS,
  IDS_FOLDER_RAW_BYTES,
  IDS_SETTINGS_NOT_REGULAR,
  IDS_IMPLAUSIBLE_SETTINGS,
  IDS_IMPLAUSIBLE_MORE,
};

struct StringEntry {
  unsigned id;
  const char *text;
};

inline constexpr StringEntry kStringTable[] = {
    {IDS_OLE_INIT_FAILED,
     "OLE initialization failed.  Make sure that the OLE libraries are the correct version."},
    {IDS_UNKNOWN_FORMAT, "Error reading the selected file (unknown file format)."},
    {IDS_MIN_SPEED_DESCRIPTION, "MINIMUM MECHANICAL SPEED TO VALIDATE THE CLOSED LOOP"},
    {IDS_PROPERTY_SHEET, "Property Sheet"},
    {IDR_MAINFRAME,
     "TORVIO\n\nTORVIO\nTORVIO Files (*.tvd)\n.tvd\nTORVIO.Document\nTORVIO.Document"},
    {IDS_APP_TITLE, "TORVIO"},
    {IDS_IDLE_MESSAGE, "Ready"},
    // 79 characters: the text and 29 blanks keep the pane's width steady.
    {IDS_OUTPUT_DIR_NOT_SPECIFIED,
     "Output Dir : Not specified (Menu Tools/Options...)                             "},

    {ID_FILE_NEW, "Create a new document\nNew"},
    {ID_FILE_OPEN, "Open an existing document\nOpen"},
    {ID_FILE_SAVE, "Save the active document\nSave"},
    {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
    {ID_APP_ABOUT, "Open the About Dialog\nAbout"},
    {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
    {ID_HELP_FINDER, "List Help topics\nHelp Topics"},
    {ID_CONTEXT_HELP, "Display help for clicked on buttons, menus and windows\nHelp"},
    {ID_TOOLS_GENERATE, "Run the sources generator\nGenerate sources"},
    {ID_TOOLS_OPTIONS, "Open the Options Dialog\nOptions"},
    {ID_HELP_SUPPORT, "Open the Support Help\nSupport"},
    {ID_EDIT_UNDO, "Undo the last edit\nUndo"},
    {ID_EDIT_REDO, "Redo the edit last undone\nRedo"},
    {ID_FILE_COMPARE,
     "List the settings in which a project file differs from this one\nCompare With"},
    {ID_TOOLS_MMI_CHART,
     "Chart the maximum available modulation index against the PWM frequency\nModulation Index "
     "Chart"},

    {IDS_EXIT_CODE_9, "Exit code [9] -> Output Directory not specified. Build aborted."},
    {IDS_FOLDER_INVALID, "The folder:\n\n%1\n\nis invalid. Please reenter."},
    {IDS_FOLDER_CANNOT_CREATE, "The folder:\n\n%1\n\ncan not be created. Please double check."},
    {IDS_FOLDER_CREATE_QUESTION,
     "The folder:\n\n%1\n\ndoes not exist. Do you want the folder to be created?"},
    {IDS_SAVE_CHANGES, "Save changes to %1?"},
    {IDS_UNTITLED, "Untitled"},
    {IDS_OPEN_FAILED, "Failed to open document.\n\n%1"},
    {IDS_SAVE_FAILED, "Failed to save document.\n\n%1"},
    {IDS_STATUS_OUTPUT_DIR, "Output Dir: %1"},
    {IDS_HELP_TITLE, "TORVIO Help"},
    {IDS_HELP_MISSING, "The help pages were not found beside the program."},
    {IDS_OPTIONS_CAPTION, "Options"},
    {IDS_TEMPLATES_DIRECTORY, "Templates Directory"},
    {IDS_OUTPUT_DIRECTORY, "Output Directory"},
    {IDS_BROWSE, "Browse"},
    {IDS_SELECT_TEMPLATES_DIR, "Select the templates directory"},
    {IDS_SELECT_OUTPUT_DIR, "Select the output directory"},
    {IDS_LOG_CAPTION, "Message Log"},
    {IDS_LOG_CLOSE, "&Close"},
    {IDS_ABOUT_CAPTION, "About TORVIO"},
    {IDS_ABOUT_APPLICATION, "TORVIO Application"},
    {IDS_ABOUT_VERSION, "TORVIO ver. %1"},
    {IDS_ABOUT_MODULES, "Application Modules"},
    {IDS_NOT_AVAILABLE, "Not Available"},
    {IDS_MODULE_VERSION, "%1 ver. %2"},
    {IDS_MODULE_NOT_AVAILABLE, "%1 Not Available"},
    {IDS_MENU_FILE, "&File"},
    {IDS_MENU_EDIT, "&Edit"},
    {IDS_MENU_TOOLS, "&Tools"},
    {IDS_MENU_HELP, "&Help"},
    {IDS_TOOLBAR, "Standard"},
    {IDS_MESSAGE_PANE, "Message"},
    {IDS_TEXT_NEW, "&New"},
    {IDS_TEXT_OPEN, "&Open..."},
    {IDS_TEXT_SAVE, "&Save"},
    {IDS_TEXT_SAVE_AS, "Save &As..."},
    {IDS_TEXT_COMPARE, "Compare &With..."},
    {IDS_TEXT_EXIT, "E&xit"},
    {IDS_TEXT_UNDO, "&Undo"},
    {IDS_TEXT_REDO, "&Redo"},
    {IDS_TEXT_GENERATE, "&Generate Sources"},
    {IDS_TEXT_OPTIONS, "&Options..."},
    {IDS_TEXT_MMI_CHART, "Modulation Index &Chart..."},
    {IDS_TEXT_HELP_TOPICS, "&Help Topics"},
    {IDS_TEXT_SUPPORT, "TORVIO &Support"},
    {IDS_TEXT_ABOUT, "&About TORVIO..."},
    {IDS_TEXT_CONTEXT_HELP, "Help"},
    {IDS_OK, "OK"},
    {IDS_CANCEL, "Cancel"},
    {IDS_FOLDERS, "Folders"},
    {IDS_FOLDER_RAW_BYTES,
     "A folder name that is not valid text is shown with \\xNN for each byte that is not; it "
     "is kept exactly as it is unless you edit it."},
    {IDS_SETTINGS_NOT_REGULAR,
     "The settings file\n\n%1\n\nis not a regular file (a folder, device or pipe), so it was "
     "neither read nor written. The settings of this run are kept until the program ends."},
    {IDS_IMPLAUSIBLE_SETTINGS,
     "This project holds settings that no page could have entered:\n\n%1\n\nThey are kept "
     "as they are; the pages, the check and Generate Sources take them as stored."},
    {IDS_IMPLAUSIBLE_MORE, "... and %1 more"},
};

// The text of a string id; an empty text for an unknown id.
constexpr const char *LoadResString(unsigned id) {
  for (const auto &entry : kStringTable) {
    if (entry.id == id) {
      return entry.text;
    }
  }
  return "";
}

} // namespace torvio
