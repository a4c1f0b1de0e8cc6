#include "exec/compmgr.h"

#include <cstdio>
#include <wx/event.h>
#include <wx/window.h>

#include "app/ids.h"
#include "app/mytext.h"
#include "app/questions.h"
#include "exec/error_display.h"
#include "exec/zqparser_wx.h"
#include "lang/zqx_disk.h"
#include "util/filenames.h"

CompiledTable::CompiledTable() {
    machine.createStack(ZQE_CELLS);
}

std::string object_name(const char* source) {
    char out[FN_MAXPATH];
    return change_extension(out, source, ".zqx", 1) ? out : "";
}

CompMgr::CompMgr(ErrorDisplay* errors, mytext* editor, wxWindow* frame)
    : errors(errors), editor(editor), frame(frame) {}

bool CompMgr::compilar(bool report) {
    if (editor->GetLength() == 0 && editor->getFileName().empty()) return false;
    if (editor->IsModified() && !editor->SaveFile()) return false;
    last_error.reset();
    auto fresh = std::make_shared<CompiledTable>();
    // The previous table stays alive for as long as a loaded program still refers to it.
    table = fresh;
    ZQParser_WX parser(errors, editor, &fresh->machine, &fresh->table, 1);
    if (parser.reopenSource()) parser.parse();
    if (parser.getError()) {
        show_error();
        last_error = errors->getLastError();
    } else {
        if (!create_zqx(editor->getFileName().fn_str(), &fresh->machine)) {
            tell(frame, "Error",
                 "No se puede escribir en el directorio de trabajo,verifique si tiene los "
                 "permisos necesarios");
            return false;
        }
        compiled = true;
        if (report) tell(frame, "Mensaje", L"Compilación exitosa");
    }
    wxCommandEvent update(wxEVT_COMMAND_ENTER, ID_UPDATE_CONTROLS);
    frame->GetEventHandler()->ProcessEvent(update);
    return true;
}

bool CompMgr::create_zqx(const char* source, ZQExec* exec) {
    const std::string object = object_name(source);
    if (object.empty() || !check_fname(object.c_str(), source)) return false;
    ZQX_Disk disk(exec);
    if (disk.writeTo(object.c_str(), 0) != ar_NONE) {
        std::remove(object.c_str());
        return false;
    }
    compiled_file = object;
    return true;
}

int CompMgr::check_fname(const char* object, const char* source) {
    if (std::string(object) != source) return 1;
    tell(frame, L"Atención", "Nombres de archivo de entrada y salida son iguales");
    return 0;
}

void CompMgr::show_error() {
    auto* event = new wxCommandEvent(wxEVT_COMMAND_ENTER, ID_SHOW_ERROR);
    event->SetInt(ERROR_MODE_COMPILE);
    frame->GetEventHandler()->QueueEvent(event);
}
