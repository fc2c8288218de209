<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>ShellHeader</name>
    <message>
        <source>界面语言，选择后立即生效</source>
        <translation>Display language; applies at once</translation>
    </message>
</context>
<context>
    <name>cli</name>
    <message>
        <source>未知命令 %1</source>
        <translation>unknown command %1</translation>
    </message>
</context>
<context>
    <name>gcs::Application</name>
    <message>
        <source>此功能尚未提供（%1）</source>
        <translation>Not available yet (%1)</translation>
    </message>
    <message>
        <source>记录回放 · %1</source>
        <translation>Replay · %1</translation>
    </message>
    <message>
        <source>就绪 · 等待纳管设备</source>
        <translation>Ready · waiting for managed devices</translation>
    </message>
    <message numerus="yes">
        <source>纳管 %n 台 · %1</source>
        <translation>
            <numerusform>%n managed device · %1</numerusform>
            <numerusform>%n managed devices · %1</numerusform>
        </translation>
    </message>
    <message>
        <source>TelvoMonitor
版本 %1
%2</source>
        <translation>TelvoMonitor
Version %1
%2</translation>
    </message>
    <message>
        <source>请先连接设备后再切换导航输出</source>
        <translation>Connect the device before switching the navigation output</translation>
    </message>
    <message>
        <source>固件升级进行中</source>
        <translation>Firmware upgrade in progress</translation>
    </message>
    <message>
        <source>打开导航输出（%1）</source>
        <translation>Navigation output on (%1)</translation>
    </message>
    <message>
        <source>关闭导航输出（%1）</source>
        <translation>Navigation output off (%1)</translation>
    </message>
    <message>
        <source>导航输出指令发送失败，请检查串口</source>
        <translation>The navigation output command was not sent; check the serial port</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>已保存：%1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>（文件不是 UTF-8 编码，请另存为 UTF-8 后重试）</source>
        <translation> (the file is not UTF-8; save it as UTF-8 and try again)</translation>
    </message>
    <message>
        <source>标定数据超出数值范围，未导入：%1（%2）</source>
        <translation>Calibration values out of range, nothing imported: %1 (%2)</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>文件中没有可识别的标定数据：%1</source>
        <translation>No calibration data found in the file: %1</translation>
    </message>
    <message numerus="yes">
        <source>已读取标定数据 %n 项：%1</source>
        <translation>
            <numerusform>Read %n calibration value: %1</numerusform>
            <numerusform>Read %n calibration values: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>补偿文件为空：%1</source>
        <translation>The compensation file is empty: %1</translation>
    </message>
    <message>
        <source>补偿文件含有无法识别的字符：%1</source>
        <translation>The compensation file has characters that cannot be read: %1</translation>
    </message>
    <message>
        <source>已打开补偿文件：%1</source>
        <translation>Compensation file opened: %1</translation>
    </message>
    <message>
        <source>设备连接已断开，正在等待重新连接…</source>
        <translation>Device link lost, waiting to reconnect…</translation>
    </message>
    <message>
        <source>正在连接… %1</source>
        <translation>Connecting… %1</translation>
    </message>
    <message>
        <source>等待重新连接… %1</source>
        <translation>Waiting to reconnect… %1</translation>
    </message>
    <message>
        <source>已连接</source>
        <translation>Connected</translation>
    </message>
    <message>
        <source>连接中</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>端口号 %1 无效（需在 0～65535 内）</source>
        <translation>Port number %1 is not valid (0 to 65535)</translation>
    </message>
    <message>
        <source>当前设备未配置串口，请点顶栏「添加」重新选择端口</source>
        <translation>The current device has no serial port; click “Add” in the top bar to choose one</translation>
    </message>
    <message>
        <source>该产品不支持串口连接（与老版上位机能力一致）</source>
        <translation>This product does not support serial links (as in the earlier host software)</translation>
    </message>
    <message>
        <source>请选择串口，或点击「刷新端口」后重试</source>
        <translation>Choose a serial port, or click “Refresh ports” and try again</translation>
    </message>
    <message>
        <source>串口 %1 已被纳管设备占用，请选择其他串口；如需修改请用该设备的「编辑」</source>
        <translation>Serial port %1 is taken by a managed device; choose another port, or change that device with its “Edit”</translation>
    </message>
    <message>
        <source>无法保存串口纳管信息</source>
        <translation>Cannot save the managed serial device</translation>
    </message>
    <message>
        <source>该产品不支持 UDP 连接（与老版上位机能力一致）</source>
        <translation>This product does not support UDP links (as in the earlier host software)</translation>
    </message>
    <message>
        <source>无法保存 UDP 纳管信息</source>
        <translation>Cannot save the managed UDP device</translation>
    </message>
    <message>
        <source>该产品不支持 TCP 连接（与老版上位机能力一致）</source>
        <translation>This product does not support TCP links (as in the earlier host software)</translation>
    </message>
    <message>
        <source>无法保存 TCP 纳管信息</source>
        <translation>Cannot save the managed TCP device</translation>
    </message>
    <message>
        <source>设备不存在或已移除</source>
        <translation>The device does not exist or was removed</translation>
    </message>
    <message>
        <source>无法保存：串口为空，或相同串口已被其他纳管设备占用</source>
        <translation>Cannot save: no serial port, or the port is taken by another managed device</translation>
    </message>
    <message>
        <source>无法保存：远端地址无效，或相同 UDP 连接已被其他纳管设备占用</source>
        <translation>Cannot save: the remote address is not valid, or the same UDP link is taken by another managed device</translation>
    </message>
    <message>
        <source>无法保存：相同 TCP 监听端口已被其他纳管设备占用</source>
        <translation>Cannot save: the TCP listening port is taken by another managed device</translation>
    </message>
    <message>
        <source>无法保存日志：%1（%2）</source>
        <translation>Cannot save the log: %1 (%2)</translation>
    </message>
    <message>
        <source>设备已重新连接</source>
        <translation>Device reconnected</translation>
    </message>
    <message>
        <source>无法添加波特率 %1（需在 300～3000000 内，且不能与已有项重复）</source>
        <translation>Cannot add baud rate %1 (300 to 3000000, not one already listed)</translation>
    </message>
    <message>
        <source>已添加波特率 %1</source>
        <translation>Baud rate %1 added</translation>
    </message>
    <message>
        <source>无法删除波特率 %1（仅可删除手动添加项）</source>
        <translation>Cannot remove baud rate %1 (only rates added by hand can be removed)</translation>
    </message>
    <message>
        <source>已删除自定义波特率 %1</source>
        <translation>Custom baud rate %1 removed</translation>
    </message>
    <message>
        <source>已刷新：未发现可用串口</source>
        <translation>Refreshed: no serial port found</translation>
    </message>
    <message numerus="yes">
        <source>已刷新串口列表（%n 个）</source>
        <translation>
            <numerusform>Port list refreshed (%n port)</numerusform>
            <numerusform>Port list refreshed (%n ports)</numerusform>
        </translation>
    </message>
    <message>
        <source>当前不支持串口自动发现</source>
        <translation>Serial auto-search is not available for this product</translation>
    </message>
    <message>
        <source>正在搜索惯导设备…</source>
        <translation>Searching for INS units…</translation>
    </message>
    <message>
        <source>未发现惯导设备</source>
        <translation>No INS unit found</translation>
    </message>
    <message>
        <source>发现串口响应，但对应产品不支持串口纳管</source>
        <translation>A port answered, but its product cannot be managed over serial</translation>
    </message>
    <message>
        <source>已识别 %1 · %2 @ %3，请在本页点击连接</source>
        <translation>Found %1 · %2 @ %3; click Connect on this page</translation>
    </message>
    <message>
        <source>；另发现 %1</source>
        <translation>; also found %1</translation>
    </message>
    <message>
        <source>探测中…</source>
        <translation>Probing…</translation>
    </message>
    <message>
        <source>正在检测串口与波特率…</source>
        <translation>Detecting port and baud rate…</translation>
    </message>
    <message>
        <source>检测已停止：串口正在连接</source>
        <translation>Detection stopped: the port is connecting</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>无法打开串口「%1」，请确认设备已上电、驱动正常，且未被 TelvoMonitor 等其它程序占用</source>
        <translation>Cannot open serial port “%1”; check that the unit is powered, its driver works and no other program (such as another TelvoMonitor) holds the port</translation>
    </message>
    <message>
        <source>无法载入英文翻译，界面仍为中文</source>
        <translation>Cannot load the English translation; the window stays in Chinese</translation>
    </message>
    <message>
        <source>%1；未能另存原文件副本（%2）</source>
        <translation>%1; the original file could not be kept (%2)</translation>
    </message>
    <message>
        <source>%1；原文件已另存为 %2</source>
        <translation>%1; the original file was kept as %2</translation>
    </message>
    <message>
        <source>设置文件无法读取，无法识别的设置已恢复默认</source>
        <translation>The settings file could not be read; settings that could not be read are back to their defaults</translation>
    </message>
    <message>
        <source>设备列表无法读取，已纳管的设备未能载入</source>
        <translation>The device list could not be read; the managed devices were not loaded</translation>
    </message>
    <message>
        <source>。</source>
        <translation>. </translation>
    </message>
    <message>
        <source>请先连接设备后再开始记录</source>
        <translation>Connect the device before you start recording</translation>
    </message>
    <message>
        <source>请先停止记录再导出</source>
        <translation>Stop the recording before you export</translation>
    </message>
    <message>
        <source>还没有可导出的记录，请先开始并停止一次记录</source>
        <translation>No recording to export yet; start and stop a recording first</translation>
    </message>
    <message>
        <source>不支持的导出格式：%1</source>
        <translation>Export format not supported: %1</translation>
    </message>
    <message>
        <source>正在导出，请等待完成或先取消</source>
        <translation>An export is running; wait for it to finish or cancel it</translation>
    </message>
    <message>
        <source>导出 %1</source>
        <translation>Export %1</translation>
    </message>
    <message>
        <source>打开记录</source>
        <translation>Open recording</translation>
    </message>
    <message>
        <source>记录文件 (*.txt *.bin);;所有文件 (*)</source>
        <translation>Recordings (*.txt *.bin);;All files (*)</translation>
    </message>
    <message>
        <source>固件升级进行中，无法打开记录</source>
        <translation>Firmware upgrade in progress; a recording cannot be opened</translation>
    </message>
    <message>
        <source>记录文件不存在：%1</source>
        <translation>Recording not found: %1</translation>
    </message>
    <message>
        <source>回放</source>
        <translation>Replay</translation>
    </message>
    <message>
        <source>正在回放：%1</source>
        <translation>Replaying: %1</translation>
    </message>
    <message>
        <source>指令发送失败</source>
        <translation>The command was not sent</translation>
    </message>
    <message>
        <source>会话未连接</source>
        <translation>Session not connected</translation>
    </message>
    <message>
        <source>发送失败</source>
        <translation>Send failed</translation>
    </message>
    <message numerus="yes">
        <source>已发送 Hex（%n 字节）</source>
        <translation>
            <numerusform>Sent hex (%n byte)</numerusform>
            <numerusform>Sent hex (%n bytes)</numerusform>
        </translation>
    </message>
    <message>
        <source>已发送：%1</source>
        <translation>Sent: %1</translation>
    </message>
</context>
<context>
    <name>gcs::AxisTriple</name>
    <message>
        <source>当前组合不符合右手系或存在重复机体轴</source>
        <translation>These axes are not right-handed or repeat a body axis</translation>
    </message>
</context>
<context>
    <name>gcs::Recorder</name>
    <message>
        <source>记录文件写入失败：%1（%2），记录已停止（已记录 %3）</source>
        <translation>Cannot write the recording: %1 (%2); recording stopped (recorded %3)</translation>
    </message>
    <message>
        <source>磁盘空间已满</source>
        <translation>disk full</translation>
    </message>
</context>
<context>
    <name>gcs::Startup</name>
    <message>
        <source>TelvoMonitor 已在运行中。</source>
        <translation>TelvoMonitor is already running.</translation>
    </message>
    <message>
        <source>请勿重复打开多个实例；若需重新启动，请先关闭已有窗口。</source>
        <translation>Open only one instance; to start again, close the running window first.</translation>
    </message>
</context>
<context>
    <name>gcs::TextFile</name>
    <message>
        <source>未选择文件</source>
        <translation>No file chosen</translation>
    </message>
    <message>
        <source>无法打开文件：%1（%2）</source>
        <translation>Cannot open the file: %1 (%2)</translation>
    </message>
    <message>
        <source>文件过大：%1（超过 %2 MB）</source>
        <translation>File too large: %1 (over %2 MB)</translation>
    </message>
    <message>
        <source>无法读取文件：%1（%2）</source>
        <translation>Cannot read the file: %1 (%2)</translation>
    </message>
    <message>
        <source>未选择保存位置</source>
        <translation>No place to save chosen</translation>
    </message>
    <message>
        <source>无法写入文件：%1（%2）</source>
        <translation>Cannot write the file: %1 (%2)</translation>
    </message>
</context>
</TS>
