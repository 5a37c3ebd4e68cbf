// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/clock/clocklayout.h"

#include <algorithm>

namespace zw {

namespace {

// Truncation toward zero, as every fractional position of the layout is taken.
int Trunc(double v) {
  return static_cast<int>(v);
}

CellRect Cell(double x, double width, int y, int height) {
  return CellRect{Trunc(x - width / 2), y, Trunc(x + width / 2 + 1), y + height};
}

std::string Padded(const std::string& text, std::size_t width) {
  std::string padded = text.substr(0, width);
  padded.resize(width, ' ');
  return padded;
}

bool IsMarker(char c) {
  return c == 'A' || c == 'P' || c == 'M';
}

}  // namespace

double ClockMetrics::DigitCellWidth() const {
  int base = (digitAverageWidth + digitMaxWidth) * 5 / 10;
  if (digitItalic) {
    base = Trunc(base * 1.2);
  }
  return (digitSpacing * 0.05 + 0.5) * base;
}

CClockLayout::Result CClockLayout::Layout(const std::vector<ClockLine>& lines,
                                          const ClockMetrics& metrics, const ClockArea& area,
                                          int displayMode, bool autoSize, bool maximised,
                                          int minContentWidth) {
  Result result;
  const double w = metrics.DigitCellWidth();
  const bool sizing = autoSize && !maximised;
  int maxRight = 0;
  result.face.lines.resize(lines.size());

  // First pass: names and dates, and the shared time column right of the longest date.
  int y = area.top + kTopGap;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ClockLine& line = lines[i];
    ClockLineFace& d = result.face.lines[i];
    double x = area.left + kMargin;
    d.nameRect = CellRect{Trunc(x), y, Trunc(x) + line.nameWidth, y + metrics.nameHeight};
    if (sizing) {
      maxRight = std::max(maxRight, d.nameRect.right);
    }
    y += metrics.NameLineHeight();
    x += metrics.nameAverageWidth;
    const std::string& date = line.time->date;
    const std::size_t dateCount = std::min(date.size(), ClockLineFace::kDateCells);
    d.drawnDate = Padded(date, ClockLineFace::kDateCells);
    for (std::size_t k = 0; k < dateCount; ++k) {
      d.dateCells[k] = Cell(x, w, y, metrics.digitHeight);
      x += w + 1;
    }
    result.timeColumn = std::max(result.timeColumn, Trunc(x + 1.5 * w));
    y += metrics.DigitLineHeight();
    const int frameBottom = dateCount > 0 ? d.dateCells[0].bottom : d.nameRect.bottom;
    d.frameRect =
        CellRect{area.left + kFrameInset, d.nameRect.top, area.right - kFrameInset, frameBottom};
  }

  // Second pass: the times, all starting at the shared column.
  const CellRect* last = nullptr;
  y = area.top + kTopGap + metrics.NameLineHeight();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ClockLine& line = lines[i];
    ClockLineFace& d = result.face.lines[i];
    double x = result.timeColumn;
    double cw = w;
    const std::string& time = line.time->time;
    const std::size_t timeCount = std::min(time.size(), ClockLineFace::kTimeCells);
    d.drawnTime = Padded(time, ClockLineFace::kTimeCells);
    for (std::size_t k = 0; k < timeCount; ++k) {
      if (time[k] == 'A' || time[k] == 'P') {
        cw = w * kMarkerWidening;
      }
      d.timeCells[k] = Cell(x, cw, y, metrics.digitHeight);
      x += cw + 1;
    }
    if (displayMode == DisplayOptions::kTimeOnly && timeCount > 0) {
      d.frameRect.bottom = d.timeCells[0].bottom;
    }
    if (timeCount > 0) {
      last = &d.timeCells[timeCount - 1];
    } else {
      const std::size_t dateCount = std::min(line.time->date.size(), ClockLineFace::kDateCells);
      last = dateCount > 0 ? &d.dateCells[dateCount - 1] : &d.nameRect;
    }
    y += metrics.DigitLineHeight() + metrics.NameLineHeight();
  }

  if (maxRight - area.left < minContentWidth) {
    maxRight = minContentWidth;
  }
  if (!sizing || lines.empty() || last == nullptr) {
    return result;
  }
  maxRight = std::max(maxRight, last->right + metrics.markWidth);
  const int wantedRight = maxRight + kMargin;
  const int wantedBottom = last->bottom + kTopGap;
  if (wantedRight != area.right || wantedBottom != area.bottom) {
    result.wantedClient = std::make_pair(wantedRight, wantedBottom);
  }
  return result;
}

int CClockLayout::CharacterCentre(const CellRect& cell, char c, bool inTime,
                                  const ClockMetrics& metrics) {
  double w = metrics.DigitCellWidth();
  if (inTime && IsMarker(c)) {
    w *= kMarkerWidening;
  }
  return Trunc(cell.left - metrics.DigitOverhang() + w / 2 + 1);
}

int CClockLayout::DropIndex(const std::vector<CellRect>& frames, int held, int pointerY,
                            int clientTop, int clientBottom) {
  const int count = static_cast<int>(frames.size());
  for (int i = 0; i < count; ++i) {
    if (pointerY >= frames[i].top && pointerY < frames[i].bottom) {
      return -1;
    }
    if (i == held) {
      // The held line's own row reaches over both neighbouring gaps: dropping it next to
      // itself would change nothing.
      const int top = i == 0 ? clientTop : frames[i - 1].top;
      const int bottom = i == count - 1 ? clientBottom : frames[i + 1].bottom;
      if (pointerY >= top && pointerY < bottom) {
        return -1;
      }
    }
  }
  for (int i = 0; i < count; ++i) {
    if (frames[i].top > pointerY) {
      return i;
    }
  }
  return count;
}

int CClockLayout::DropTarget(int held, int dropIndex) {
  if (held < 0 || dropIndex < 0) {
    return -1;
  }
  // Taking the held line out first shifts the gaps after it up by one.
  const int target = dropIndex > held ? dropIndex - 1 : dropIndex;
  return target == held ? -1 : target;
}

}  // namespace zw
