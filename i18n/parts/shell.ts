<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>CalibPage</name>
    <message>
        <source>通信与轴向</source>
        <translation>Comms &amp; axes</translation>
    </message>
    <message>
        <source>现场维护</source>
        <translation>Field maintenance</translation>
    </message>
    <message>
        <source>出厂陀螺</source>
        <translation>Factory gyro</translation>
    </message>
    <message>
        <source>补偿文件</source>
        <translation>Compensation file</translation>
    </message>
    <message>
        <source>安装误差</source>
        <translation>Mounting error</translation>
    </message>
    <message>
        <source>厂家维护</source>
        <translation>Factory maintenance</translation>
    </message>
    <message>
        <source>厂家标定与维护专用，误操作可能影响设备精度。请在当前 Tab 完成读/设后，点击本 Tab 的「保存出厂」写入设备。</source>
        <translation>For factory calibration and maintenance only; a wrong step can spoil the unit&apos;s accuracy. Read or set on the current tab, then click its “Save factory” to write to the unit.</translation>
    </message>
    <message>
        <source>进入本页将自动关闭导航输出并读固件版本；串口1 在下方卡片读/设。任意 Tab 改参后，仅在页底「读回与保存」保存一次。</source>
        <translation>Opening this page turns off the navigation output and reads the firmware version; serial port 1 is read and set in the card below. After changing settings on any tab, save once under “Read back and save” at the bottom.</translation>
    </message>
</context>
<context>
    <name>ChartCard</name>
    <message>
        <source>实时曲线</source>
        <translation>Live chart</translation>
    </message>
</context>
<context>
    <name>ConfirmDialog</name>
    <message>
        <source>确认</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ConnectionDialog</name>
    <message>
        <source>「%1」正在连接中。
保存将中断当前连接过程，并应用新的连接信息。</source>
        <translation>“%1” is connecting.
Saving stops the connection attempt and applies the new link settings.</translation>
    </message>
    <message>
        <source>「%1」当前已联机。
保存将先断开连接，再应用新的连接信息。</source>
        <translation>“%1” is online.
Saving disconnects it first, then applies the new link settings.</translation>
    </message>
    <message>
        <source>编辑设备连接</source>
        <translation>Edit device link</translation>
    </message>
    <message>
        <source>手动添加设备</source>
        <translation>Add device manually</translation>
    </message>
    <message>
        <source>修改链路参数；保存后若该设备已联机将先断开，请在总览或工作区重新连接。</source>
        <translation>Change the link settings. An online device is disconnected on saving; connect it again from the overview or its workspace.</translation>
    </message>
    <message>
        <source>选择产品类型与设备型号并配置串口；添加后在「设备总览」查看与管理纳管列表。</source>
        <translation>Choose the product type and device model and set up the serial port; once added, the device appears under “Device overview” with the other managed devices.</translation>
    </message>
    <message>
        <source>连接方式：串口（RS232/422）</source>
        <translation>Link: serial port (RS232/422)</translation>
    </message>
    <message>
        <source>产品类型</source>
        <translation>Product</translation>
    </message>
    <message>
        <source>编辑模式下不可更改产品类型</source>
        <translation>The product type cannot be changed while editing</translation>
    </message>
    <message>
        <source>设备型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>编辑模式下不可更改设备型号</source>
        <translation>The device model cannot be changed while editing</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>COM3 或 /dev/ttyUSB0</source>
        <translation>COM3 or /dev/ttyUSB0</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>重新扫描本机 COM 口列表</source>
        <translation>Scan this computer&apos;s serial ports again</translation>
    </message>
    <message>
        <source>原串口 %1 当前不在列表中，请重新选择或手动输入</source>
        <translation>The earlier port %1 is not in the list; choose another or type it in</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>%1（自定义）</source>
        <translation>%1 (custom)</translation>
    </message>
    <message>
        <source>自定义波特率，如 57600</source>
        <translation>Custom baud rate, e.g. 57600</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>加入下拉列表并参与自动检测（300～3000000，不可与预设重复）</source>
        <translation>Add it to the list and to auto-detect (300–3000000, not one of the presets)</translation>
    </message>
    <message>
        <source>检测中…</source>
        <translation>Detecting…</translation>
    </message>
    <message>
        <source>自动检测</source>
        <translation>Auto-detect</translation>
    </message>
    <message>
        <source>匹配 COM 口与波特率（优先当前所选口）</source>
        <translation>Find the port and baud rate (the chosen port first)</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ContextBar</name>
    <message>
        <source>回放中</source>
        <translation>Playing</translation>
    </message>
    <message>
        <source>已暂停</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>结束回放</source>
        <translation>End replay</translation>
    </message>
</context>
<context>
    <name>DeviceCard</name>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>移除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>进入并连接</source>
        <translation>Enter and connect</translation>
    </message>
</context>
<context>
    <name>DeviceConnectBar</name>
    <message>
        <source>等待协议</source>
        <translation>waiting for protocol</translation>
    </message>
    <message>
        <source>监控中</source>
        <translation>Monitoring</translation>
    </message>
    <message>
        <source>连接中</source>
        <translation>Connecting</translation>
    </message>
    <message>
        <source>等待重连</source>
        <translation>Awaiting reconnect</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>断开</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>编辑当前设备连接信息</source>
        <translation>Edit the current device&apos;s link</translation>
    </message>
</context>
<context>
    <name>DeviceHub</name>
    <message>
        <source>纳管设备</source>
        <translation>Managed devices</translation>
    </message>
    <message numerus="yes">
        <source>共 %n 台 · 选择设备进入对应产品工作区</source>
        <translation>
            <numerusform>%n device · choose one to open its workspace</numerusform>
            <numerusform>%n devices · choose one to open its workspace</numerusform>
        </translation>
    </message>
    <message>
        <source>断线自动重连</source>
        <translation>Reconnect automatically</translation>
    </message>
    <message>
        <source>设备意外断开（拔出 USB、断电）后，串口恢复时自动重新连接；对所有设备生效</source>
        <translation>When a device drops out unexpectedly (USB pulled, power lost), connect again once its serial port is back; applies to all devices</translation>
    </message>
    <message>
        <source>自动搜索</source>
        <translation>Auto-search</translation>
    </message>
    <message>
        <source>打开记录</source>
        <translation>Open recording</translation>
    </message>
    <message>
        <source>回放已保存的记录文件（.txt / .bin）；当前设备的连接将断开</source>
        <translation>Replay a saved recording (.txt / .bin); the current device is disconnected</translation>
    </message>
    <message>
        <source>添加设备</source>
        <translation>Add device</translation>
    </message>
    <message>
        <source>自动搜索功能开发中，请使用「添加设备」手动纳管</source>
        <translation>Auto-search is not available yet; use “Add device” to manage a device</translation>
    </message>
    <message>
        <source>联机设备</source>
        <translation>Online</translation>
    </message>
    <message>
        <source>未连接</source>
        <translation>Not connected</translation>
    </message>
</context>
<context>
    <name>DeviceSection</name>
    <message numerus="yes">
        <source>%n 台</source>
        <translation>
            <numerusform>%n device</numerusform>
            <numerusform>%n devices</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FactoryCompTab</name>
    <message>
        <source>补偿文件</source>
        <translation>Compensation file</translation>
    </message>
    <message>
        <source>保存设备读回</source>
        <translation>Save unit read-back</translation>
    </message>
    <message>
        <source>文本 (*.txt);;All (*.*)</source>
        <translation>Text (*.txt);;All (*.*)</translation>
    </message>
    <message>
        <source>读回中…</source>
        <translation>Reading back…</translation>
    </message>
    <message>
        <source>IMU 编号</source>
        <translation>IMU ID</translation>
    </message>
    <message>
        <source>IMU 序列号</source>
        <translation>IMU serial number</translation>
    </message>
    <message>
        <source>打开补偿文件，或读出厂到文本</source>
        <translation>Open a compensation file, or read the factory record into text</translation>
    </message>
    <message>
        <source>打开补偿文件</source>
        <translation>Open compensation file</translation>
    </message>
    <message>
        <source>下发文件行</source>
        <translation>Send file lines</translation>
    </message>
    <message>
        <source>读出厂到文本</source>
        <translation>Read factory to text</translation>
    </message>
    <message>
        <source>保存读回文本</source>
        <translation>Save read-back text</translation>
    </message>
    <message>
        <source>保存出厂</source>
        <translation>Save factory</translation>
    </message>
</context>
<context>
    <name>FactoryGyroTab</name>
    <message>
        <source>X 轴</source>
        <translation>X axis</translation>
    </message>
    <message>
        <source>Y 轴</source>
        <translation>Y axis</translation>
    </message>
    <message>
        <source>Z 轴</source>
        <translation>Z axis</translation>
    </message>
    <message>
        <source>设备编号</source>
        <translation>Serial number</translation>
    </message>
    <message>
        <source>X 轴二阶温标</source>
        <translation>X 2nd-order temp. term</translation>
    </message>
    <message>
        <source>X 轴一阶温标</source>
        <translation>X 1st-order temp. term</translation>
    </message>
    <message>
        <source>X 轴刻度系数</source>
        <translation>X scale factor</translation>
    </message>
    <message>
        <source>Y 轴二阶温标</source>
        <translation>Y 2nd-order temp. term</translation>
    </message>
    <message>
        <source>Y 轴一阶温标</source>
        <translation>Y 1st-order temp. term</translation>
    </message>
    <message>
        <source>Y 轴刻度系数</source>
        <translation>Y scale factor</translation>
    </message>
    <message>
        <source>Z 轴二阶温标</source>
        <translation>Z 2nd-order temp. term</translation>
    </message>
    <message>
        <source>Z 轴一阶温标</source>
        <translation>Z 1st-order temp. term</translation>
    </message>
    <message>
        <source>Z 轴刻度系数</source>
        <translation>Z scale factor</translation>
    </message>
    <message>
        <source>静态漂移 X</source>
        <translation>Static drift X</translation>
    </message>
    <message>
        <source>静态漂移 Y</source>
        <translation>Static drift Y</translation>
    </message>
    <message>
        <source>静态漂移 Z</source>
        <translation>Static drift Z</translation>
    </message>
    <message>
        <source>交叉耦合 XY</source>
        <translation>Cross-coupling XY</translation>
    </message>
    <message>
        <source>交叉耦合 XZ</source>
        <translation>Cross-coupling XZ</translation>
    </message>
    <message>
        <source>交叉耦合 YX</source>
        <translation>Cross-coupling YX</translation>
    </message>
    <message>
        <source>交叉耦合 YZ</source>
        <translation>Cross-coupling YZ</translation>
    </message>
    <message>
        <source>交叉耦合 ZX</source>
        <translation>Cross-coupling ZX</translation>
    </message>
    <message>
        <source>交叉耦合 ZY</source>
        <translation>Cross-coupling ZY</translation>
    </message>
    <message>
        <source>标定数据</source>
        <translation>Calibration data</translation>
    </message>
    <message>
        <source>数据文件 (*.dat *.txt);;All (*.*)</source>
        <translation>Data files (*.dat *.txt);;All (*.*)</translation>
    </message>
    <message numerus="yes">
        <source>有 %n 项参数为空或不是有效数字（%1）。这些位置将按当前内容下发，设备可能拒收或写入错误参数。是否继续？</source>
        <translation>
            <numerusform>%n parameter is empty or not a valid number (%1). It is sent as it stands; the unit may refuse the record or store a wrong value. Continue?</numerusform>
            <numerusform>%n parameters are empty or not valid numbers (%1). They are sent as they stand; the unit may refuse the record or store wrong values. Continue?</numerusform>
        </translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>温标与刻度</source>
        <translation>Temperature terms and scale</translation>
    </message>
    <message>
        <source>二阶温标</source>
        <translation>2nd-order temp.</translation>
    </message>
    <message>
        <source>一阶温标</source>
        <translation>1st-order temp.</translation>
    </message>
    <message>
        <source>刻度系数</source>
        <translation>Scale factor</translation>
    </message>
    <message>
        <source>交叉耦合</source>
        <translation>Cross-coupling</translation>
    </message>
    <message>
        <source>回读</source>
        <translation>Read-back</translation>
    </message>
    <message>
        <source>写入出厂</source>
        <translation>Write to factory</translation>
    </message>
    <message>
        <source>静态漂移</source>
        <translation>Static drift</translation>
    </message>
    <message>
        <source>出厂读写</source>
        <translation>Factory read/write</translation>
    </message>
    <message>
        <source>读出厂</source>
        <translation>Read factory</translation>
    </message>
    <message>
        <source>设出厂</source>
        <translation>Set as factory</translation>
    </message>
    <message>
        <source>导入标定</source>
        <translation>Import calibration</translation>
    </message>
    <message>
        <source>保存出厂</source>
        <translation>Save factory</translation>
    </message>
    <message>
        <source>仍然下发</source>
        <translation>Send anyway</translation>
    </message>
    <message>
        <source>返回填写</source>
        <translation>Go back</translation>
    </message>
</context>
<context>
    <name>FactoryInstallTab</name>
    <message>
        <source>安装误差</source>
        <translation>Mounting error</translation>
    </message>
    <message>
        <source>度</source>
        <translation>deg</translation>
    </message>
    <message>
        <source>回读</source>
        <translation>Read-back</translation>
    </message>
    <message>
        <source>读安装误差</source>
        <translation>Read mounting error</translation>
    </message>
    <message>
        <source>设安装误差</source>
        <translation>Set mounting error</translation>
    </message>
    <message>
        <source>保存出厂</source>
        <translation>Save factory</translation>
    </message>
</context>
<context>
    <name>FactoryMaintTab</name>
    <message>
        <source>厂家存储</source>
        <translation>Factory storage</translation>
    </message>
    <message>
        <source>初始化存储信息</source>
        <translation>Initialise stored info</translation>
    </message>
    <message>
        <source>IMU 标定与漂移</source>
        <translation>IMU calibration and drift</translation>
    </message>
    <message>
        <source>读 IMU 标定</source>
        <translation>Read IMU calibration</translation>
    </message>
    <message>
        <source>静态标定</source>
        <translation>Static calibration</translation>
    </message>
    <message>
        <source>复位标定</source>
        <translation>Reset calibration</translation>
    </message>
    <message>
        <source>漂移触发</source>
        <translation>Trigger drift</translation>
    </message>
    <message>
        <source>Z 轴漂移量</source>
        <translation>Z-axis drift</translation>
    </message>
    <message>
        <source>设漂移</source>
        <translation>Set drift</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <source>确定将「%1」从纳管列表中移除吗？
未完成的连接准备将被清除；若该设备已联机，将先断开。</source>
        <translation>Remove “%1” from the managed devices?
A connection still being prepared is dropped; if the device is online, it is disconnected first.</translation>
    </message>
    <message>
        <source>取消纳管</source>
        <translation>Remove device</translation>
    </message>
    <message>
        <source>移除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>保留</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>保存连接信息</source>
        <translation>Save link settings</translation>
    </message>
    <message>
        <source>保存并断开</source>
        <translation>Save and disconnect</translation>
    </message>
    <message>
        <source>继续编辑</source>
        <translation>Keep editing</translation>
    </message>
</context>
<context>
    <name>NavMenu</name>
    <message>
        <source>回放模式下不可用</source>
        <translation>Not available in replay</translation>
    </message>
</context>
<context>
    <name>ReadbackChip</name>
    <message>
        <source>回读</source>
        <translation>Read-back</translation>
    </message>
</context>
<context>
    <name>ReplayBar</name>
    <message>
        <source>暂停（空格）</source>
        <translation>Pause (Space)</translation>
    </message>
    <message>
        <source>播放（空格）</source>
        <translation>Play (Space)</translation>
    </message>
    <message>
        <source>回到起点（Home）</source>
        <translation>To the start (Home)</translation>
    </message>
    <message>
        <source>上一条记录（←）</source>
        <translation>Previous record (←)</translation>
    </message>
    <message>
        <source>下一条记录（→）</source>
        <translation>Next record (→)</translation>
    </message>
    <message>
        <source>跳到末尾（End）</source>
        <translation>To the end (End)</translation>
    </message>
    <message>
        <source>回放速度</source>
        <translation>Replay speed</translation>
    </message>
    <message>
        <source>建立索引 %1%</source>
        <translation>Indexing %1%</translation>
    </message>
    <message>
        <source>记录有误</source>
        <translation>Faulty recording</translation>
    </message>
    <message>
        <source>记录频率</source>
        <translation>Record rate</translation>
    </message>
    <message>
        <source>无时间标记的记录按此频率回放</source>
        <translation>Records without a time tag are replayed at this rate</translation>
    </message>
    <message>
        <source>循环</source>
        <translation>Loop</translation>
    </message>
    <message>
        <source>播放到末尾后从头再来</source>
        <translation>Start again from the beginning after the end</translation>
    </message>
</context>
<context>
    <name>ShellFooter</name>
    <message>
        <source>运行  %1</source>
        <translation>Run time  %1</translation>
    </message>
    <message>
        <source>联机后将显示 RX / TX 与运行时间</source>
        <translation>RX / TX and run time appear once online</translation>
    </message>
    <message>
        <source>版本 %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>官网</source>
        <translation>Website</translation>
    </message>
</context>
<context>
    <name>ShellHeader</name>
    <message>
        <source>减少动效</source>
        <translation>Reduce motion</translation>
    </message>
    <message>
        <source>关闭背景动画与界面过渡动效</source>
        <translation>Turn off the background animation and the interface transitions</translation>
    </message>
    <message>
        <source>主题</source>
        <translation>Theme</translation>
    </message>
</context>
<context>
    <name>Telemetry</name>
    <message>
        <source>随帧</source>
        <translation>per frame</translation>
    </message>
    <message>
        <source>%1 · 随帧实时采样</source>
        <translation>%1 · sampled live per frame</translation>
    </message>
    <message>
        <source>%1 · 等待数据流</source>
        <translation>%1 · waiting for data</translation>
    </message>
</context>
<context>
    <name>Theme</name>
    <message>
        <source>航天国防蓝</source>
        <translation>Aerospace Blue</translation>
    </message>
    <message>
        <source>深空星尘银</source>
        <translation>Stardust Silver</translation>
    </message>
    <message>
        <source>极简高亮白</source>
        <translation>Bright White</translation>
    </message>
    <message>
        <source>极光深空紫</source>
        <translation>Aurora Violet</translation>
    </message>
</context>
<context>
    <name>ToastLayer</name>
    <message>
        <source>已发送：</source>
        <translation>Sent: </translation>
    </message>
</context>
<context>
    <name>UserCommTab</name>
    <message>
        <source>设备回读</source>
        <translation>Unit read-back</translation>
    </message>
    <message>
        <source>固件版本</source>
        <translation>Firmware version</translation>
    </message>
    <message>
        <source>读版本</source>
        <translation>Read version</translation>
    </message>
    <message>
        <source>串口1 通信</source>
        <translation>Serial port 1</translation>
    </message>
    <message>
        <source>唯一编辑区 · 设后页底保存 Flash</source>
        <translation>The one place to edit · after setting, save to flash at the bottom</translation>
    </message>
    <message>
        <source>接口</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>%1（自定义）</source>
        <translation>%1 (custom)</translation>
    </message>
    <message>
        <source>频率 (Hz)</source>
        <translation>Rate (Hz)</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>回读</source>
        <translation>Read-back</translation>
    </message>
    <message>
        <source>读串口1</source>
        <translation>Read port 1</translation>
    </message>
    <message>
        <source>设串口1</source>
        <translation>Set port 1</translation>
    </message>
    <message>
        <source>安装轴向</source>
        <translation>Mounting axes</translation>
    </message>
    <message>
        <source>X/Y/Z 须各对应不同机体轴（x、y、z），且满足右手定则；不符合时无法下发设轴向。</source>
        <translation>X, Y and Z must each map to a different body axis (x, y, z) and form a right-handed set; otherwise the axes cannot be set.</translation>
    </message>
    <message>
        <source>读轴向</source>
        <translation>Read axes</translation>
    </message>
    <message>
        <source>设轴向</source>
        <translation>Set axes</translation>
    </message>
    <message>
        <source>当前组合不符合右手系或存在重复机体轴</source>
        <translation>This combination is not right-handed or repeats a body axis</translation>
    </message>
    <message>
        <source>GNSS 与外插</source>
        <translation>GNSS and extrapolation</translation>
    </message>
    <message>
        <source>GNSS 航向补偿</source>
        <translation>GNSS heading compensation</translation>
    </message>
    <message>
        <source>度</source>
        <translation>deg</translation>
    </message>
    <message>
        <source>外插时间</source>
        <translation>Extrapolation time</translation>
    </message>
    <message>
        <source>毫秒</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>读 GNSS</source>
        <translation>Read GNSS</translation>
    </message>
    <message>
        <source>设 GNSS</source>
        <translation>Set GNSS</translation>
    </message>
    <message>
        <source>读外插</source>
        <translation>Read extrapolation</translation>
    </message>
    <message>
        <source>设外插</source>
        <translation>Set extrapolation</translation>
    </message>
    <message>
        <source>读回与保存</source>
        <translation>Read back and save</translation>
    </message>
    <message>
        <source>读：串口1、轴向、GNSS、外插等一并回读。存：任意 Tab 改参后在此保存一次即可写入 Flash。</source>
        <translation>Read: serial port 1, axes, GNSS, extrapolation and the rest are read back together. Save: after changing settings on any tab, save once here to write them to flash.</translation>
    </message>
    <message>
        <source>读用户配置</source>
        <translation>Read user configuration</translation>
    </message>
    <message>
        <source>保存用户配置</source>
        <translation>Save user configuration</translation>
    </message>
    <message>
        <source>将当前用户参数写入设备 Flash，掉电后仍有效。是否继续？</source>
        <translation>Write the current user settings to the unit&apos;s flash, where they survive a power-off. Continue?</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
</context>
<context>
    <name>UserMaintTab</name>
    <message>
        <source>1 · 航向赋值 0~360°</source>
        <translation>1 · Set heading 0–360°</translation>
    </message>
    <message>
        <source>2 · 航向修正 ±0.5°</source>
        <translation>2 · Correct heading ±0.5°</translation>
    </message>
    <message>
        <source>用户存储</source>
        <translation>User storage</translation>
    </message>
    <message>
        <source>复位用户存储</source>
        <translation>Reset user storage</translation>
    </message>
    <message>
        <source>航向修正</source>
        <translation>Heading correction</translation>
    </message>
    <message>
        <source>模式</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>角度</source>
        <translation>Angle</translation>
    </message>
    <message>
        <source>度</source>
        <translation>deg</translation>
    </message>
    <message>
        <source>执行</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>经度</source>
        <translation>Longitude</translation>
    </message>
    <message>
        <source>纬度</source>
        <translation>Latitude</translation>
    </message>
    <message>
        <source>高度 m</source>
        <translation>Altitude m</translation>
    </message>
    <message>
        <source>读位置</source>
        <translation>Read position</translation>
    </message>
    <message>
        <source>设位置</source>
        <translation>Set position</translation>
    </message>
    <message>
        <source>对准时间</source>
        <translation>Alignment time</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <source>读对准时间</source>
        <translation>Read alignment time</translation>
    </message>
    <message>
        <source>设对准时间</source>
        <translation>Set alignment time</translation>
    </message>
    <message>
        <source>用户配置区将恢复为出厂默认，此操作不可撤销。是否继续？</source>
        <translation>The user settings return to their factory defaults. This cannot be undone. Continue?</translation>
    </message>
    <message>
        <source>复位</source>
        <translation>Reset</translation>
    </message>
</context>
<context>
    <name>WelcomePanel</name>
    <message>
        <source>尚未纳管任何设备</source>
        <translation>No devices managed yet</translation>
    </message>
    <message>
        <source>自动搜索</source>
        <translation>Auto-search</translation>
    </message>
    <message>
        <source>添加设备</source>
        <translation>Add device</translation>
    </message>
    <message>
        <source>打开记录</source>
        <translation>Open recording</translation>
    </message>
    <message>
        <source>回放已保存的记录文件（.txt / .bin），无需连接设备</source>
        <translation>Replay a saved recording (.txt / .bin); no device needed</translation>
    </message>
    <message>
        <source>自动搜索功能开发中，请使用「添加设备」手动纳管</source>
        <translation>Auto-search is not available yet; use “Add device” to manage a device</translation>
    </message>
    <message>
        <source>上电并接好线缆后，点击「添加设备」完成纳管。</source>
        <translation>Power the unit and connect its cable, then click “Add device” to manage it.</translation>
    </message>
    <message>
        <source>纳管后在功能页点击「连接」联机。</source>
        <translation>Once it is managed, click “Connect” on a function page to go online.</translation>
    </message>
    <message>
        <source>点击「打开记录」可回放已保存的记录，无需连接设备。</source>
        <translation>Click “Open recording” to replay a saved recording without a device.</translation>
    </message>
</context>
<context>
    <name>WorkProgress</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>WorkspaceSidebar</name>
    <message>
        <source>记录回放</source>
        <translation>Recording replay</translation>
    </message>
    <message>
        <source>设备总览</source>
        <translation>Device overview</translation>
    </message>
    <message>
        <source>回放中 · %1</source>
        <translation>Playing · %1</translation>
    </message>
    <message>
        <source>已暂停 · %1</source>
        <translation>Paused · %1</translation>
    </message>
</context>
</TS>
