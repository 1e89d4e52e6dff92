#include "forms/foldersett/UFolderSett.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace tossbox {

TFolderSett::TFolderSett(Program& program)
    : ProgramWindow(program, QStringLiteral("FolderSett"), QStringLiteral("ﾌｫﾙﾀﾞ設定"),
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setClientSize(345, 309, true);
  for (const char* name : {"Edit1", "Edit2", "Edit3"})
    (new QLineEdit(this))->setObjectName(QLatin1String(name));
  for (const char* name : {"RadioButton1", "RadioButton2", "RadioButton3"})
    (new QRadioButton(this))->setObjectName(QLatin1String(name));
  (new QCheckBox(this))->setObjectName(QStringLiteral("CheckBox1"));
}

}  // namespace tossbox
