#pragma once

namespace akt {

// What the main window reports to its logic: the first showing, the start-up timer's ticks and
// the clicks of the controls that do something.
class MainWindowEvents {
public:
    virtual ~MainWindowEvents() = default;

    virtual void FormShow() = 0;
    virtual void tmrPrzetwarzanieTimer() = 0;
    virtual void btnAktualizujClick() = 0;
    virtual void btnzakonczClick() = 0;
    virtual void cxtxtNowaBazaPropertiesButtonClick() = 0;
};

} // namespace akt
