#pragma once

class PageControl;
class QMenu;
class QWidget;

// Gives every captioned control of `window` a letter that reaches it with Alt: push buttons,
// check boxes, group boxes, labels that name a control, and the tabs of `pages`. The letters
// are taken from the captions as they read now, so they follow the language without marks in
// any language file; an "&" of a caption stays a plain character. The tabs and the controls
// outside the pages are always in reach and choose first; each page then shares out the
// letters left, so no two controls in reach at the same time share one. Call it again whenever
// the captions may have changed.
void assignAccelerators(QWidget *window, PageControl *pages);

// The same for a window without pages, such as a small dialog. The standard buttons of a button
// box come with letters of Qt's own; they share in the choosing like any other caption.
void assignAccelerators(QWidget *window);

// The same for the entries of a menu and, each on its own, of its submenus. Call it whenever the
// menu is about to show, so that the letters follow the language.
void assignAccelerators(QMenu *menu);
