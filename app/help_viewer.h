// (being written) The program's help request.
#pragma once
#include <QString>
class QWidget;
void OpenHelpTopics(QWidget* owner, const QString& help_file);
