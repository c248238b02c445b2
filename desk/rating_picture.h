#pragma once
// Composes the history picture: the background grid, then the planned marks in order.
#include <windows.h>

#include "mark_plan.h"

// Copies the whole grid into picture, then each mark's cell of the mark sheet to its place. False when nothing
// could be drawn (a missing bitmap, no DC, a picture that cannot be selected).
bool ComposeRatingPicture(HBITMAP picture, HBITMAP grid, HBITMAP markSheet, const Mark* marks, int count);
