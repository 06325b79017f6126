#pragma once

#include <QDialog>

namespace calorant {

// The About box: the programme's icon, its name and version, and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "About KL320 Thermocouple/IR Datalogger";
    static constexpr const char* kVersionLine = "KL320 Thermocouple/IR Datalogger Version 3.0.1";

    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace calorant
