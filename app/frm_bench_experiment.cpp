#include "app/frm_bench.h"

void frmBench::wireExperimentEvents() {
    Text4.DblClick = [this] { Text4_DblClick(); };
    Text5.DblClick = [this] { Text5_DblClick(); };
    Text6.DblClick = [this] { Text6_DblClick(); };
    Text7.DblClick = [this] { Text7_DblClick(); };
    Text8.DblClick = [this] { Text8_DblClick(); };
    Text9.DblClick = [this] { Text9_DblClick(); };
    cmdSetSrcBkg.Click = [this] { cmdSetSrcBkg_Click(); };
    cmdSetDestBkg.Click = [this] { cmdSetDestBkg_Click(); };
    cmdSetSrcPoint.Click = [this] { cmdSetSrcPoint_Click(); };
    cmdTest.Click = [this] { cmdTest_Click(); };
}

void frmBench::Text4_DblClick() {}
void frmBench::Text5_DblClick() {}
void frmBench::Text6_DblClick() {}
void frmBench::Text7_DblClick() {}
void frmBench::Text8_DblClick() {}
void frmBench::Text9_DblClick() {}
void frmBench::cmdSetSrcBkg_Click() {}
void frmBench::cmdSetDestBkg_Click() {}
void frmBench::cmdSetSrcPoint_Click() {}
void frmBench::cmdTest_Click() {}
void frmBench::ZoomPicGetBits(ui::Picture&, ui::Picture&, std::vector<std::int32_t>&) {}
void frmBench::ZoomPic(ui::Picture&, ui::Picture&) {}
