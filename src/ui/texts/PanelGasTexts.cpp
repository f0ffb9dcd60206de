#include "texts/PanelGasTexts.h"

#include "pages/PanelIds.h"

using namespace vexor::panel_ids;

void CPanelGasTexts::fill() {
    add(kCaptionId, "Panel Gaz", "Gas panel", "Pannello gas", "Panel gas", "Painel gás",
        "Ploča plin", "Панель газ", "Gaz paneli", "Gas-Einstellungen", "Plošča plin");
    add(kGrpLpgInj, "Wtryskiwacz gazowy", "Gas injector", "Iniettore gas", "Inyector de gas",
        "Injetor de gás", "Plinska brizgaljka", "Газовая форсунка", "Gaz enjektörü",
        "Gaseinblasventil", "Plinski vbrizgalnik");
    add(kGrpPressures, "Parametry ciśnień adaptacji", "Adaptation pressures",
        "Pressioni di adattamento", "Presiones de adaptación", "Pressões de adaptação",
        "Tlakovi prilagodbe", "Давления адаптации", "Adaptasyon basınçları", "Adaptionsdrücke",
        "Tlaki prilagoditve");
    add(kGrpSensors, "Czujniki", "Sensors", "Sensori", "Sensores", "Sensores", "Senzori", "Датчики",
        "Sensörler", "Sensoren", "Senzorji");
    add(kLblPressSwitch, "Ciś. minimalne", "Min. pressure", "Press. minima", "Presión mín.",
        "Pressão mín.", "Min. tlak", "Мин. давление", "Min. basınç", "Min. Druck", "Min. tlak");
    add(kLblPressRef, "Ciś. robocze", "Working pressure", "Press. di lavoro", "Presión de trabajo",
        "Pressão de trabalho", "Radni tlak", "Рабочее давление", "Çalışma basıncı", "Arbeitsdruck",
        "Delovni tlak");
    add(kLblPressSensorType, "Cz. ciśnienia", "Pressure sensor", "Sensore pressione",
        "Sensor de presión", "Sensor de pressão", "Senzor tlaka", "Датчик давления",
        "Basınç sensörü", "Drucksensor", "Senzor tlaka");
    add(kLblTemprRedSensor, "Cz. temp. reduktora", "Reducer temp. sensor",
        "Sensore temp. riduttore", "Sensor temp. reductor", "Sensor temp. redutor",
        "Senzor temp. reduktora", "Датчик темп. редуктора", "Redüktör sıcaklık sensörü",
        "Verdampfer-Temp.-Sensor", "Senzor temp. reduktorja");
    add(kLblTemprLpgSensor, "Cz. temp. gazu", "Gas temp. sensor", "Sensore temp. gas",
        "Sensor temp. gas", "Sensor temp. gás", "Senzor temp. plina", "Датчик темп. газа",
        "Gaz sıcaklık sensörü", "Gastemperatursensor", "Senzor temp. plina");
}
