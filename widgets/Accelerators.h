#pragma once

class PageControl;
class QWidget;

// Gives every captioned control of `window` a letter that reaches it with Alt: push buttons,
// check boxes, group boxes, labels that name a control, and the tabs of `pages`. The letters
// are taken from the captions as they read now, so they follow the language without marks in
// any language file; an "&" of a caption stays a plain character. The tabs and the controls
// outside the pages are always in reach and choose first; each page then shares out the
// letters left, so no two controls in reach at the same time share one. Call it again whenever
// the captions may have changed.
void assignAccelerators(QWidget *window, PageControl *pages);
