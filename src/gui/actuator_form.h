#pragma once
// The actuator tests window: choose a test from the View menu, enter a value where it takes
// one, Set sends it and Cancel ends it, while four monitors show how the engine responds.
// The choices and the commands are the core's actuator panel's; the main window sends them.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <cstdint>

#include "actuators/actuator_tests.h"

namespace rizazovoz {

class TDashBoardForm;

class TActuatorForm final : public QMainWindow {
  Q_OBJECT

 public:
  TActuatorForm(TDashBoardForm& main, char decimalSeparator, QWidget* parent);

  // The ECU's actuator flags: each set bit offers its test. Nothing withdraws one again.
  void EnableTests(std::uint8_t flags);
  void Present();

  void ChooseTest(int test);  // what each of the View menu's items does
  void SetBtnClick();
  void CancelBtnClick();
  void Timer1Timer();

  const ActuatorPanel& panel() const { return panel_; }

 private:
  void ShowTitle(const QString& title);

  TDashBoardForm& main_;
  const char separator_;
  ActuatorPanel panel_;
  std::array<QAction*, 8> testItems_{};
  QLabel* title_ = nullptr;
  QGroupBox* commandBox_ = nullptr;
  QLineEdit* entry_ = nullptr;
  std::array<QGroupBox*, 4> monitorBoxes_{};
  std::array<QLabel*, 4> monitors_{};
  QTimer* timer_ = nullptr;
};

}  // namespace rizazovoz
