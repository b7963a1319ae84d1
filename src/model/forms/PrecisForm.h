// The custom precision window: the number of parameter steps of every NURBS surface.
#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;

class TPrecisForm : public QDialog {
 public:
  explicit TPrecisForm(QWidget* parent = nullptr);
  ~TPrecisForm() override;

  // Before showing: the document's precision.
  void Prepare(int precision);
  // The accepted precision, for the window that applies it.
  std::function<void(int)> QuandApplique;
  QLineEdit* Edit = nullptr;

  void accept() override;

 private:
  // The field held to its limits when the user leaves it; false for text that is no whole number.
  bool Borne();
};
