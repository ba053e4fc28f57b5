#pragma once

#include <QDialog>

#include "document/shape_rules.h"
#include "framework/network_dialogs.h"

class QLineEdit;

// "Create a New Corvina": the network-shape dialog. The caller sets the three counts, runs it
// modally and, after OK, reads counts that passed every check.
class CNewNetDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int LayersEditId = 1000;
    static constexpr int InputsEditId = 1001;
    static constexpr int OutputsEditId = 1002;

    explicit CNewNetDlg(QWidget* parent = nullptr);

    // Writes the counts into the fields as unsigned decimals.
    void SetFields(const ShapeFields& fields);

    // The counts last accepted by OK (as set until then).
    const ShapeFields& Fields() const { return shape; }

    // Reads and checks the fields as ShapeRules::CheckFields does (inputs, outputs, layers, then
    // the shape); closes the dialog with OK only when all of them pass.
    void OnOK();

private:
    QLineEdit* EditOf(ShapeRules::Field field) const;
    void Refuse(const ShapeRules::Refusal& refusal);

    ShapeFields shape;
    QLineEdit* layersEdit = nullptr;
    QLineEdit* inputsEdit = nullptr;
    QLineEdit* outputsEdit = nullptr;
};
