// Picking a colour for a grid cell: the host's 256 numbered colours, or any
// RGB colour through the standard colour dialog.
#pragma once

#include <QDialog>
#include <QVector>
#include <cstdint>
#include <optional>

namespace qdr2_Gomiat::qt {

// The numbered palette painted as 16 by 16 swatches; a click picks one.
class PaletteWidget : public QWidget {
  Q_OBJECT
 public:
  // `values` holds the colour value of numbers 0 to values.size() - 1.
  PaletteWidget(QVector<int32_t> values, int32_t current, QWidget* parent);
  QSize sizeHint() const override;

 signals:
  void Picked(int32_t colour_value);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;  // tool tips: the colour's number

 private:
  int NumberAt(QPoint p) const;
  QRect CellRect(int number) const;

  QVector<int32_t> values_;
  int32_t current_;
};

class ColourPicker : public QDialog {
  Q_OBJECT
 public:
  ColourPicker(int32_t current, QWidget* parent);
  // The colour value picked, or nothing when the user cancelled.
  std::optional<int32_t> Picked() const { return picked_; }

 private:
  void Pick(int32_t colour_value);
  void OtherColour();

  int32_t current_;
  std::optional<int32_t> picked_;
};

// Runs the picker modally.
std::optional<int32_t> PickColour(int32_t current, QWidget* parent);

}  // namespace qdr2_Gomiat::qt
