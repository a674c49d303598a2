#pragma once

// The few texts of the program that name what exists on one kind of system only. The Windows
// build says them as the program always has (Internet Explorer's open pages, the Quick Launch bar,
// the ActiveX warning, "Ok"); a freedesktop build says what the program does there instead. Every
// other text of the program is the same everywhere.
namespace lintavo::os {

struct PlatformWording {
  // The link editor's answer when the location picker would list nothing.
  const char* noBrowserLocations;
  // The options dialog's command that puts a shortcut where the desktop starts programs from: a
  // button caption, with "&" before the letter of its Alt+letter mnemonic.
  const char* quickLaunchEntry;
  // Whether the options dialog offers to stop the browser's warning about active content in local
  // files; no browser of a freedesktop system has that warning.
  bool offersActiveContentSetting;
  // The caption of a button that closes a window without a question, with its mnemonic.
  const char* okButton;
  // The question before the selected page becomes the browser's home page.
  const char* homePageConfirmation;
};

const PlatformWording& Wording();

}  // namespace lintavo::os
