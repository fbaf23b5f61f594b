// SPDX-License-Identifier: MIT
// Tells screen readers that a control's accessible description has changed, with the new text,
// so that they speak it when the control has the focus.
#pragma once

class QWidget;

namespace window {

// Tells screen readers `w`'s description, just set or unchanged.
void noticeDescription(QWidget* w);

} // namespace window
