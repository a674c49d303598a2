#pragma once

#include <string>
#include <vector>

class QWidget;

namespace lintavo::test {

// The captions inside `window` (push buttons, check boxes, radio buttons, labels, group box
// titles) that do not fit the room their control leaves for text, measured with the font and
// style sheet in use. Each is described as `name "caption": needs W x H, has w x h`; an empty
// list means every caption fits.
std::vector<std::string> CaptionsThatDoNotFit(QWidget& window);

}  // namespace lintavo::test
