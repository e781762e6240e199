#include "app/ui/CCommandText.h"

#include "resources/CStringTable.h"

QString CCommandText::Caption(int id) {
    return QString::fromStdString(CStringTable::LoadMenu(id));
}

QString CCommandText::Prompt(int stringId) {
    return String(stringId).section(QLatin1Char('\n'), 0, 0);
}

QString CCommandText::ToolTip(int stringId) {
    return String(stringId).section(QLatin1Char('\n'), 1);
}

QString CCommandText::String(int id) {
    return QString::fromStdString(CStringTable::Load(id));
}
