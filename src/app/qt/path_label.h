// The label above the memo: a fixed lead-in, then the full path of the file
// opened last. A long path would make a plain label as wide as its text and
// the window with it, so this label takes the width the window gives it and
// drops the middle of the path where it does not fit; the tool tip holds the
// whole path.
#pragma once

#include <QLabel>
#include <QString>

namespace texttoxml::app::gui {

class PathLabel : public QLabel {
 public:
  // `leadIn` is the part of every caption that is never shortened.
  explicit PathLabel(QString leadIn);

  // A caption that starts with the lead-in; the rest is the path.
  void SetCaption(const QString& caption);

  // The caption as it is drawn at the label's current width.
  QString ShownCaption() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString Path() const;

  QString leadIn_;
};

}  // namespace texttoxml::app::gui
