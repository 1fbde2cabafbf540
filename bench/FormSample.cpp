#include "FormSample.h"

#include "Environment.h"
#include "FormBinding.h"
#include "Program.h"
#include "Unit1.h"

#include <QJsonDocument>

void fillForm(TForm1& form, const QJsonObject& sample, const QDir& base)
{
    FormBinding& binding = form.formData();
    binding.fill(readFormData(QJsonDocument(sample).toJson(QJsonDocument::Compact), binding.schema(), base));
}

void fillFormFromFile(TForm1& form, const QString& path)
{
    FormBinding& binding = form.formData();
    binding.fill(readFormDataFile(path, binding.schema()));
}

void createWindowsFilledFrom(const QString& path)
{
    Environment env;
    env.videoSource = {};
    createWindows(env);
    fillFormFromFile(*Form1, path);
}
