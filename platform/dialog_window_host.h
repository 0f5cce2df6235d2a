#pragma once
// The settings dialog's window as the core sees it: its lists, text boxes and
// colour swatch, the two modal choosers, and the modal show. The platform
// layer builds the real window; tests use a fake. The host forwards the
// controls' clicks to the form's event procedures, one at a time.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvex::platform {

// The dialog's drop-down lists.
enum class DialogList { cmbFont, cmbSize, cmbTim };

// The dialog's single-line text boxes.
enum class DialogTextBox { txtFile, txtMP3 };

// One entry of a file chooser's type list: the label shown, and the patterns
// ("*.txt;*.log") it lets through. An empty pattern lets every file through.
struct FileTypeFilter {
  std::string label;
  std::string pattern;

  bool operator==(const FileTypeFilter&) const = default;
};

// The event procedures of the dialog form, called by the host.
class DialogEvents {
 public:
  virtual ~DialogEvents() = default;

  virtual void cmdSansyo_Click() = 0;
  virtual void cmdMP3_Click() = 0;
  virtual void lblCol_Click() = 0;
  virtual void cmdOK_Click() = 0;
  virtual void cmdEXIT_Click() = 0;
};

class DialogWindowHost {
 public:
  virtual ~DialogWindowHost() = default;

  // Lists keep their entries in the order added and never sort. An index of
  // -1 means no selection; the text of a list is its selected entry's, or "".
  virtual void AddItem(DialogList list, const std::string& text) = 0;
  virtual int ListCount(DialogList list) = 0;
  virtual void SetListIndex(DialogList list, int index) = 0;
  virtual std::string ListText(DialogList list) = 0;

  virtual void SetText(DialogTextBox box, const std::string& text) = 0;
  virtual std::string Text(DialogTextBox box) = 0;

  // The swatch colour: 0x00BBGGRR, or 0x80000000 + n for desktop colour n.
  virtual void SetSwatchColor(std::int32_t colour) = 0;
  virtual std::int32_t SwatchColor() = 0;

  // A modal file-open chooser. `filters` is the type list, `filter_index`
  // the 1-based entry preselected, `file_name` the name it starts with.
  // Returns the chosen file's full path, or nothing when cancelled.
  virtual std::optional<std::string> ShowOpenChooser(const std::vector<FileTypeFilter>& filters,
                                                     int filter_index,
                                                     const std::string& file_name) = 0;

  // A modal colour chooser starting at `initial` (0x00BBGGRR). Returns
  // red + 256 * green + 65536 * blue, or nothing when cancelled.
  virtual std::optional<std::int32_t> ShowColorChooser(std::int32_t initial) = 0;

  // Shows the window modally and returns once it has closed. Clicks go to
  // `events` while it is shown.
  virtual void ShowModal(DialogEvents& events) = 0;

  // Closes the window; ShowModal then returns.
  virtual void Close() = 0;
};

}  // namespace tarvex::platform
